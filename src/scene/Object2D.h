#pragma once

#include "scene/Point2D.h"

class Sprite;
class Texture;

// A picture drawn in screen space through the shared sprite: at its own size
// when width or height is 0, otherwise stretched to width × height pixels
// (pictures drawn to a size are authored at 1024 × 1024).
class Object2D : public Point2D {
public:
    Object2D();
    Object2D(int x, int y, int width, int height);

    void draw() override;
    void update(int elapsedMs) override;

    double width = 0.0;
    double height = 0.0;
    Texture* texture = nullptr;
    Sprite* sprite = nullptr;
};

// The sprite scale that maps an authored 1024-texel picture to one pixel.
constexpr float PICTURE_SCALE = 0.0009765625f;
