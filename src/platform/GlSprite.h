#pragma once

#include "platform/Sprite.h"

class GlDevice;

// Draws each picture at once, in call order. The device sets the whole
// pipeline state for every 3D draw, so nothing here can leak into 3D
// drawing and end() has nothing to restore.
class GlSprite final : public Sprite {
public:
    explicit GlSprite(GlDevice& device);

    void begin(std::uint32_t flags) override;
    void end() override;
    void setTransform(const Matrix& transform) override;
    void draw(Texture* texture, const Vector3* position, std::uint32_t color) override;

private:
    GlDevice& device_;
    Matrix transform_ = Matrix::identity();
};
