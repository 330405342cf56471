#pragma once

#include "platform/Sprite.h"

class RecordingDevice;

// The sprite of the recording device: records its calls; each draw carries
// the transform in force and where the picture's corners land on screen.
class RecordedSprite : public Sprite {
public:
    explicit RecordedSprite(RecordingDevice& device);
    ~RecordedSprite() override;

    void begin(std::uint32_t flags) override;
    void end() override;
    void setTransform(const Matrix& transform) override;
    void draw(Texture* texture, const Vector3* position, std::uint32_t color) override;

    Matrix transform = Matrix::identity();

    // Process-wide counts, readable until the very end of the process.
    inline static int alive = 0;
    inline static int destroyed = 0;

private:
    RecordingDevice& device_;
};
