#pragma once

#include "platform/Image.h"
#include "platform/Texture.h"

class GlDevice;

// A picture uploaded to the device, with its chain of smaller levels from
// the first one it keeps; drawn at the picture's own size.
class GlTexture final : public Texture {
public:
    GlTexture(GlDevice& device, const Image& image);
    ~GlTexture() override;
    GlTexture(const GlTexture&) = delete;
    GlTexture& operator=(const GlTexture&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }
    unsigned int id() const { return id_; }

private:
    GlDevice& device_;
    unsigned int id_ = 0;
    int width_;
    int height_;
};
