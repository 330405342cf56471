#include "menus/MenuAbout.h"
#include "menus/RecordingScreen.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(MenuAboutTest, CreditsFitTheirBoxBelowBackAt640By480) {
    RecordingScreen screen;
    MenuAbout about;
    MenuAbout second;  // the small font is made once, 12 pixels from the width
    about.draw();
    const auto texts = screen.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, "About");
    EXPECT_EQ(texts[1]->text, "Back");
    EXPECT_EQ(texts[1]->color, RED);
    const DeviceCall* credits = texts[2];
    EXPECT_EQ(credits->text, MenuAbout::CREDITS);
    EXPECT_EQ(credits->font, RecordingScreen::font("smallFont"));
    EXPECT_TRUE(drawnIn(credits, 137, 188, 502, 360, DT_LEFT | DT_TOP, WHITE));
    int smallFonts = 0;
    for (const DeviceCall* call : screen.device->callsOf(DeviceCall::Kind::CreateFont))
        smallFonts += call->height == 12;
    EXPECT_EQ(smallFonts, 1);
    // Every line fits the box: drawn without bounds, no glyph more shows.
    const std::size_t glyphsInBox = credits->glyphs.size();
    FontManager::instance().drawText("smallFont", MenuAbout::CREDITS, 0, 0, 10000, 10000, 255,
                                     255, 255, 255, DT_LEFT | DT_TOP);
    EXPECT_EQ(glyphsInBox, screen.device->last(DeviceCall::Kind::Text)->glyphs.size());
    EXPECT_GT(glyphsInBox, 200u);
}

TEST(MenuAboutTest, CreditsAreEightLinesWithTwoBlankOnes) {
    std::istringstream credits(MenuAbout::CREDITS);
    std::vector<std::string> lines;
    for (std::string line; std::getline(credits, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lines[i].empty(), i == 3 || i == 6) << i;
    // French accents as single Windows-1252 bytes.
    EXPECT_NE(lines[1].find('\xEA'), std::string::npos);
}

}  // namespace
