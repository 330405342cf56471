#pragma once

#include "platform/Image.h"
#include "platform/Texture.h"

#include <string>

// A texture of the recording device: the decoded picture and where it came
// from.
class RecordedTexture : public Texture {
public:
    RecordedTexture(std::string path, bool keyed, Image image);
    ~RecordedTexture() override;

    int width() const override { return image.drawnWidth(); }
    int height() const override { return image.drawnHeight(); }

    const std::string path;
    const bool keyed;
    const Image image;

    // Process-wide counts, readable until the very end of the process.
    inline static int alive = 0;
    inline static int destroyed = 0;
};
