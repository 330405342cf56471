#include "platform/Image.h"

#include <stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// A few hundred compressed bytes can announce gigabytes of texels, so the
// size the header announces is checked before any decoding. Reads only the
// header (for a PNG, its chunks up to the first image data, skipped
// unread) and leaves the file where it was.
bool headerFits(std::FILE* file, int maxSide) {
    int width = 0, height = 0, channels = 0;
    const int limit = std::min(maxSide, MAX_PICTURE_SIDE);
    return stbi_info_from_file(file, &width, &height, &channels) && width <= limit && height <= limit;
}

}  // namespace

std::optional<Image> loadImage(const std::string& path, int maxSide) {
    constexpr int RGBA_CHANNELS = 4;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file || !headerFits(file.get(), maxSide)) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_file(file.get(), &width, &height, &channels, RGBA_CHANNELS);
    if (!pixels) return std::nullopt;

    Image image;
    image.width = width;
    image.height = height;
    const std::size_t bytes = static_cast<std::size_t>(width) * height * RGBA_CHANNELS;
    image.rgba.resize(bytes);
    std::memcpy(image.rgba.data(), pixels, bytes);
    stbi_image_free(pixels);
    return image;
}

void applyColorKey(Image& image, std::uint32_t colorKey) {
    const std::uint8_t a = colorKey >> 24, r = colorKey >> 16, g = colorKey >> 8, b = colorKey;
    for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        std::uint8_t* texel = &image.rgba[i];
        if (texel[0] == r && texel[1] == g && texel[2] == b && texel[3] == a)
            std::memset(texel, 0, 4);
    }
}
