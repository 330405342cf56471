#pragma once

#include "platform/Font.h"
#include "platform/GlyphAtlas.h"

#include <memory>
#include <string>

class RecordingDevice;

// A font of the recording device: its rasterised glyphs. Drawing text
// records the call with the glyphs laid out as they would appear.
class RecordedFont : public Font {
public:
    RecordedFont(RecordingDevice& device, std::string face, int height, int weight,
                 std::unique_ptr<GlyphAtlas> atlas);
    ~RecordedFont() override;

    int drawText(std::string_view text, const Rect& rect, std::uint32_t format,
                 std::uint32_t color) override;
    int textWidth(std::string_view text) const override { return lineWidth(*atlas, text); }

    const std::string face;
    const int height;
    const int weight;
    const std::unique_ptr<GlyphAtlas> atlas;

    // Process-wide counts, readable until the very end of the process.
    inline static int alive = 0;
    inline static int destroyed = 0;

private:
    RecordingDevice& device_;
};
