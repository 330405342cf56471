#include "platform/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int CELL = 23;

const GlyphAtlas& arial() {
    static const std::unique_ptr<GlyphAtlas> atlas = GlyphAtlas::create("Arial", CELL, 0, 400, false);
    return *atlas;
}

// The rectangle that all the quads cover together.
GlyphQuad extent(const std::vector<GlyphQuad>& quads) {
    GlyphQuad box = quads.at(0);
    for (const GlyphQuad& q : quads) {
        box.x0 = std::min(box.x0, q.x0);
        box.y0 = std::min(box.y0, q.y0);
        box.x1 = std::max(box.x1, q.x1);
        box.y1 = std::max(box.y1, q.y1);
    }
    return box;
}

// Arial resolves to a face with its metrics (Liberation Sans); a wrong face
// would miss the ascent and capital height.
TEST(GlyphAtlas, ArialIsSizedByItsCellHeightWeightChoosesTheFaceAndWindows1252CharactersHaveGlyphs) {
    const GlyphAtlas& atlas = arial();
    // Ascent is 1854 of the 2288-unit cell; the em is 2048 units of it.
    EXPECT_EQ(atlas.ascent, 19);
    const GlyphInfo& h = atlas.glyphs['H'];
    const double em = CELL * 2048.0 / 2288.0;
    EXPECT_NEAR(h.height, em * 1409.0 / 2048.0, 1.0);  // the capital height
    EXPECT_EQ(h.bearingY, h.height);                   // sits on the baseline
    const std::unique_ptr<GlyphAtlas> bold = GlyphAtlas::create("Arial", CELL, 0, 700, false);
    ASSERT_TRUE(bold);
    EXPECT_GT(bold->glyphs['m'].advance, atlas.glyphs['m'].advance);
    // Windows-1252 characters have their glyphs, controls none.
    for (const unsigned byte : {0x80u /* euro */, 0x9Cu /* oe */, 0xE9u /* e acute */})
        EXPECT_GT(atlas.glyphs[byte].width, 0) << byte;
    for (const unsigned byte : {0x0Au, 0x81u}) EXPECT_EQ(atlas.glyphs[byte].advance, 0) << byte;
}

TEST(GlyphAtlas, LayoutPlacesEachLineByTheFlagsOneCellApart) {
    const Rect rect{100, 50, 400, 250};
    int width = 0;
    for (const char c : std::string("Menu")) width += arial().glyphs[static_cast<unsigned char>(c)].advance;

    const std::vector<GlyphQuad> topLeft = layoutText(arial(), "Menu", rect, DT_LEFT | DT_TOP);
    ASSERT_EQ(topLeft.size(), 4u);
    const GlyphInfo& m = arial().glyphs['M'];
    EXPECT_FLOAT_EQ(topLeft[0].x0, 100.0f + m.bearingX);
    EXPECT_FLOAT_EQ(topLeft[0].y0, 50.0f + arial().ascent - m.bearingY);
    EXPECT_FLOAT_EQ(topLeft[0].v1, static_cast<float>(m.atlasY + m.height));

    const std::vector<GlyphQuad> centred = layoutText(arial(), "Menu", rect, DT_CENTER | DT_VCENTER);
    EXPECT_FLOAT_EQ(centred.at(0).x0 - topLeft[0].x0, static_cast<float>((300 - width) / 2));
    EXPECT_FLOAT_EQ(centred[0].y0 - topLeft[0].y0, static_cast<float>((200 - CELL) / 2));
    const std::vector<GlyphQuad> bottomRight = layoutText(arial(), "Menu", rect, DT_RIGHT | DT_BOTTOM);
    EXPECT_FLOAT_EQ(bottomRight.at(0).x0 - topLeft[0].x0, static_cast<float>(300 - width));
    EXPECT_FLOAT_EQ(bottomRight[0].y0 - topLeft[0].y0, static_cast<float>(200 - CELL));

    // Line feeds start lines one cell apart, each aligned on its own;
    // carriage returns take no room.
    for (const char* text : {"II\nI", "II\r\nI\r"}) {
        const std::vector<GlyphQuad> two = layoutText(arial(), text, rect, DT_RIGHT | DT_VCENTER);
        ASSERT_EQ(two.size(), 3u);
        EXPECT_FLOAT_EQ(two[2].y0 - two[0].y0, static_cast<float>(CELL));
        EXPECT_FLOAT_EQ(two[1].x1, two[2].x1);  // both lines end at the right edge
        EXPECT_FLOAT_EQ(two[0].y0, 50 + (200 - 2 * CELL) / 2 + arial().ascent - arial().glyphs['I'].bearingY);
    }
}

TEST(GlyphAtlas, TextIsClippedToTheRectangle) {
    const Rect rect{10, 10, 60, 10 + CELL + CELL / 2};
    const std::string longLine = "WWWWWWWWWWWWWWWWWWWW";
    const std::vector<GlyphQuad> quads = layoutText(arial(), longLine + "\n" + longLine + "\n" + longLine, rect, 0);
    const GlyphQuad box = extent(quads);
    EXPECT_LE(box.x1, 60.0f);
    // Glyphs wholly past the right edge and the line wholly below the bottom
    // are gone; the second line shows only its upper half.
    EXPECT_LT(quads.size(), 2 * longLine.size());
    EXPECT_FLOAT_EQ(box.y1, static_cast<float>(rect.bottom));

    // A cut glyph keeps its texels in step with its edges.
    const GlyphQuad& last = *std::max_element(quads.begin(), quads.end(), [](auto& a, auto& b) { return a.x1 < b.x1; });
    const GlyphInfo& w = arial().glyphs['W'];
    EXPECT_NEAR(last.u1 - last.u0, last.x1 - last.x0, 1e-3);
    EXPECT_LE(last.u1, static_cast<float>(w.atlasX + w.width));

    // Centred text wider than its rectangle is cut on both sides.
    const GlyphQuad centred = extent(layoutText(arial(), longLine, Rect{100, 0, 120, 100}, DT_CENTER));
    EXPECT_GE(centred.x0, 100.0f);
    EXPECT_LE(centred.x1, 120.0f);
}

}  // namespace
