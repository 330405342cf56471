#include "platform/Image.h"

#include <stb_image.h>

#include <cstring>

std::optional<Image> loadImage(const std::string& path) {
    constexpr int RGBA_CHANNELS = 4;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, RGBA_CHANNELS);
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
