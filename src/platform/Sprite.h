#pragma once

#include "platform/Matrix.h"

#include <cstdint>

class Texture;

// Screen-space pictures in back-buffer pixels, alpha-blended in call order.
// begin() sets the 2D state and end() restores what 3D drawing had, so sprite
// drawing never disturbs the 3D state.
class Sprite {
public:
    virtual ~Sprite() = default;
    virtual void begin(std::uint32_t flags) = 0;
    virtual void end() = 0;
    // The transform stays in force for later draws until set again.
    virtual void setTransform(const Matrix& transform) = 0;
    // The whole texture at its own size, under the transform, moved by
    // position when given; color (ARGB) modulates the texels.
    virtual void draw(Texture* texture, const Vector3* position, std::uint32_t color) = 0;
};
