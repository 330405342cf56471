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

// No picture side is ever larger, whatever the device could hold.
constexpr int MAX_PICTURE_SIDE = 8192;

// Decodes a PNG (or any picture stb_image reads); nothing when the file is
// missing, not a picture, or wider or taller than maxSide (refused from its
// header, before any decoding).
std::optional<Image> loadImage(const std::string& path, int maxSide = MAX_PICTURE_SIDE);

// Texels equal to colorKey (ARGB) become fully transparent black.
void applyColorKey(Image& image, std::uint32_t colorKey);
