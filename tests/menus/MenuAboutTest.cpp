#include "menus/MenuAbout.h"
#include "menus/RecordingScreen.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuAboutTest, CreditsBoxSitsBelowBackAt640By480) {
    RecordingScreen screen;
    MenuAbout about;
    about.draw();
    const DeviceCall* credits = screen.text(MenuAbout::CREDITS);
    ASSERT_NE(credits, nullptr);
    EXPECT_EQ(credits->font, RecordingScreen::font("smallFont"));
    EXPECT_TRUE(sameRect(credits->rect, 137, 188, 502, 360));
    EXPECT_EQ(credits->format, DT_LEFT | DT_TOP);
    EXPECT_EQ(credits->color, argb(255, 255, 255, 255));
    const DeviceCall* back = screen.text("Back");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->color, argb(255, 255, 0, 0));
    // Every line fits the box: drawn without bounds, no glyph more shows.
    const std::size_t glyphsInBox = credits->glyphs.size();
    FontManager::instance().drawText("smallFont", MenuAbout::CREDITS, 0, 0, 10000, 10000, 255,
                                     255, 255, 255, DT_LEFT | DT_TOP);
    const DeviceCall* unbounded = screen.device->last(DeviceCall::Kind::Text);
    EXPECT_EQ(glyphsInBox, unbounded->glyphs.size());
    EXPECT_GT(glyphsInBox, 200u);
}

TEST(MenuAboutTest, SmallFontIsMadeOnceFromTheScreenWidth) {
    RecordingScreen screen;
    MenuAbout first;
    MenuAbout second;
    int smallFonts = 0;
    for (const DeviceCall* call : screen.device->callsOf(DeviceCall::Kind::CreateFont))
        smallFonts += call->height == 12;
    EXPECT_EQ(smallFonts, 1);
}

}  // namespace
