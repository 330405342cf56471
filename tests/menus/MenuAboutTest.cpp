#include "menus/MenuAbout.h"
#include "menus/RecordingScreen.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuAboutTest, CreditsFitTheirBoxBelowBackAt640By480) {
    RecordingScreen screen;
    MenuAbout about;
    about.draw();
    const auto texts = screen.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1]->text, "Back");
    EXPECT_EQ(texts[1]->color, RED);
    const DeviceCall* credits = texts[2];
    EXPECT_EQ(credits->text, MenuAbout::CREDITS);
    EXPECT_TRUE(drawnIn(credits, 137, 188, 502, 360, DT_LEFT | DT_TOP, WHITE));
    // Every line fits the box: drawn without bounds, no glyph more shows.
    const std::size_t glyphsInBox = credits->glyphs.size();
    FontManager::instance().drawText("smallFont", MenuAbout::CREDITS, 0, 0, 10000, 10000, 255,
                                     255, 255, 255, DT_LEFT | DT_TOP);
    EXPECT_EQ(glyphsInBox, screen.device->last(DeviceCall::Kind::Text)->glyphs.size());
    EXPECT_GT(glyphsInBox, 200u);
}

}  // namespace
