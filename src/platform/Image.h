#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A decoded picture: 8-bit RGBA texels, rows from the top of the picture.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Decodes a PNG (or any picture stb_image reads); nothing when the file is
// missing or not a picture.
std::optional<Image> loadImage(const std::string& path);

// Texels equal to colorKey (ARGB) become fully transparent black.
void applyColorKey(Image& image, std::uint32_t colorKey);
