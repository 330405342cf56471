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

Texture* TextureManager::loadTexture(std::string name, std::string path) {
    const auto found = textures.find(name);
    if (found != textures.end()) return found->second.get();
    std::unique_ptr<Texture> texture;
    std::optional<Image> decoded;
    if (device && decoder.take(path, decoded))
        texture = decoded ? device->createTexture(*decoded) : nullptr;
    else if (device)
        texture = device->createTextureFromFile(path);
    Texture* loaded = texture.get();
    textures.emplace(std::move(name), std::move(texture));
    return loaded;
}

void TextureManager::decodeAhead(const std::vector<std::string>& paths) {
    decoder.start(paths, [](const std::string& path) {
        std::optional<Image> image = loadImage(path);
        if (image) image->smallerLevels = makeSmallerLevels(*image);
        return image;
    });
}

// A name never loaded has no texture.
Texture* TextureManager::getTexture(std::string name) {
    const auto found = textures.find(name);
    return found == textures.end() ? nullptr : found->second.get();
}
