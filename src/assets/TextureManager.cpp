#include "assets/TextureManager.h"

#include "platform/GraphicsDevice.h"
#include "platform/Sprite.h"
#include "platform/Texture.h"

TextureManager& TextureManager::instance() {
    static TextureManager registry;
    return registry;
}

// Releases every texture once, then the sprite; empty entries hold nothing.
TextureManager::~TextureManager() = default;

namespace {

std::optional<Image> decodePicture(const std::string& path, DrawnSize drawn) {
    std::optional<Image> image = loadImage(path);
    if (!image) return image;
    image->smallerLevels = makeSmallerLevels(*image);
    leaveOutLevels(*image, unseenLevels(image->width, image->height, drawn));
    return image;
}

}  // namespace

Texture* TextureManager::loadTexture(std::string name, std::string path, DrawnSize drawn) {
    const auto found = textures.find(name);
    if (found != textures.end()) return found->second.get();
    std::unique_ptr<Texture> texture;
    std::optional<Image> decoded;
    if (device) {
        // A picture drawn smaller is decoded here, to leave out its unseen
        // levels; one that cannot be is left to the device to report.
        const bool tookAhead = decoder.take(path, decoded);
        if (!tookAhead && drawn.width > 0 && drawn.height > 0) decoded = decodePicture(path, drawn);
        if (tookAhead || decoded)
            texture = decoded ? device->createTexture(*decoded) : nullptr;
        else
            texture = device->createTextureFromFile(path);
    }
    Texture* loaded = texture.get();
    textures.emplace(std::move(name), std::move(texture));
    return loaded;
}

void TextureManager::decodeAhead(const std::vector<std::string>& paths, DrawnSize drawn) {
    decoder.start(paths, [drawn](const std::string& path) { return decodePicture(path, drawn); });
}

// A name never loaded has no texture.
Texture* TextureManager::getTexture(std::string name) {
    const auto found = textures.find(name);
    return found == textures.end() ? nullptr : found->second.get();
}
