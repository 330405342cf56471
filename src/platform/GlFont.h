#pragma once

#include "platform/Font.h"
#include "platform/GlyphAtlas.h"

#include <memory>
#include <vector>

class GlDevice;
class GlTexture;

// A font's glyph atlas on the device; each call draws its text at once.
class GlFont final : public Font {
public:
    GlFont(GlDevice& device, std::unique_ptr<GlyphAtlas> atlas);
    ~GlFont() override;

    int drawText(std::string_view text, const Rect& rect, std::uint32_t format,
                 std::uint32_t color) override;
    int textWidth(std::string_view text) const override { return lineWidth(*atlas_, text); }

private:
    GlDevice& device_;
    std::unique_ptr<GlyphAtlas> atlas_;
    std::unique_ptr<GlTexture> texture_;
    // Kept from one call to the next, so that drawing allocates nothing.
    std::vector<GlyphQuad> quads_;
    std::vector<float> vertices_;
};
