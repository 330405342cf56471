#include "support/PictureFiles.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdlib>

void writePng(const std::string& path, int width, int height, std::span<const std::uint8_t> rgba) {
    stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4);
}

void writeFlatPng(const std::string& path, int width, int height, std::uint32_t rgba) {
    std::vector<std::uint8_t> texels;
    texels.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int i = 0; i < width * height; ++i)
        for (int shift = 24; shift >= 0; shift -= 8) texels.push_back(static_cast<std::uint8_t>(rgba >> shift));
    writePng(path, width, height, texels);
}

void saveScreenshot(const std::string& name, const Image& image) {
    const char* folder = std::getenv("KORV_SCREENSHOT_DIR");
    if (folder == nullptr || folder[0] == '\0') return;
    writePng(std::string(folder) + "/" + name + ".png", image.width, image.height, image.rgba);
}
