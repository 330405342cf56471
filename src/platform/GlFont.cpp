#include "platform/GlFont.h"

#include "platform/GlDevice.h"
#include "platform/GlTexture.h"

#include <algorithm>

GlFont::GlFont(GlDevice& device, std::unique_ptr<GlyphAtlas> atlas)
    : device_(device),
      atlas_(std::move(atlas)),
      texture_(std::make_unique<GlTexture>(device, atlas_->atlas)) {
    // The device has the texels now; layout needs only the glyphs and the
    // atlas's size.
    atlas_->atlas.rgba = Texels();
}

GlFont::~GlFont() = default;

int GlFont::drawText(std::string_view text, const Rect& rect, std::uint32_t format,
                     std::uint32_t color) {
    layoutText(*atlas_, text, rect, format, quads_);
    if (quads_.empty()) return 0;
    vertices_.clear();
    // The layout gives atlas positions in texels; the texture reads 0 to 1.
    const float su = 1.0f / static_cast<float>(std::max(atlas_->atlas.width, 1));
    const float sv = 1.0f / static_cast<float>(std::max(atlas_->atlas.height, 1));
    for (const GlyphQuad& glyph : quads_) {
        const GlyphQuad q{glyph.x0, glyph.y0, glyph.x1, glyph.y1,
                          glyph.u0 * su, glyph.v0 * sv, glyph.u1 * su, glyph.v1 * sv};
        const float corners[6][4] = {
            {q.x0, q.y0, q.u0, q.v0}, {q.x1, q.y0, q.u1, q.v0}, {q.x0, q.y1, q.u0, q.v1},
            {q.x1, q.y0, q.u1, q.v0}, {q.x1, q.y1, q.u1, q.v1}, {q.x0, q.y1, q.u0, q.v1},
        };
        for (const auto& corner : corners) vertices_.insert(vertices_.end(), corner, corner + 4);
    }
    device_.drawScreenQuads(vertices_.data(), static_cast<int>(quads_.size()), texture_->id(),
                            color);
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    return static_cast<int>(lines) * atlas_->cellHeight;
}
