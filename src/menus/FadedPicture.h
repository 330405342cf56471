#pragma once

#include <cstdint>

class Sprite;
class Texture;

constexpr int OPAQUE = 255;

// The sprite colour that draws a picture in its own colours, faded to alpha.
std::uint32_t fadedColor(int alpha);

// Draws a 1024 × 1024 picture stretched to width × height pixels with its
// top-left corner at (x, y), faded to alpha, inside the caller's sprite batch.
// The transform stays set, as after any sized picture. Nothing is drawn
// without a texture.
void drawFadedPicture(Sprite* sprite, Texture* texture, double x, double y, double width,
                      double height, int alpha);
