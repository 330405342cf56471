#pragma once

#include "platform/GraphicsTypes.h"
#include "platform/Image.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One font rasterised once into a picture of all its Windows-1252 glyphs.
struct GlyphInfo {
    int atlasX = 0, atlasY = 0, width = 0, height = 0;  // texels in the atlas
    int bearingX = 0, bearingY = 0;                      // pen to bitmap's top-left
    int advance = 0;                                     // pixels
};

class GlyphAtlas {
public:
    // face is resolved through fontconfig ("Arial" finds Liberation Sans);
    // height is the cell height (ascent + descent). Null on failure.
    static std::unique_ptr<GlyphAtlas> create(const std::string& face, int height, int width,
                                              int weight, bool italic);

    int cellHeight = 0;
    int ascent = 0;
    Image atlas;  // white glyphs, coverage in alpha
    std::array<GlyphInfo, 256> glyphs{};  // indexed by Windows-1252 byte
};

// A glyph placed on screen: destination pixels and atlas texels.
struct GlyphQuad {
    float x0, y0, x1, y1;
    float u0, v0, u1, v1;
};

// How far one line of text advances the pen, in pixels.
int lineWidth(const GlyphAtlas& atlas, std::string_view line);

// Lays text out in rect with the DT_* flags: line feeds start new lines one
// cell apart, carriage returns are dropped, no wrapping, glyphs past the
// right edge and lines below the bottom are clipped away. The first form
// fills quads in place, keeping its storage from one frame to the next.
void layoutText(const GlyphAtlas& atlas, std::string_view text, const Rect& rect,
                std::uint32_t format, std::vector<GlyphQuad>& quads);
std::vector<GlyphQuad> layoutText(const GlyphAtlas& atlas, std::string_view text,
                                  const Rect& rect, std::uint32_t format);
