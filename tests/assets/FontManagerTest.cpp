#include "assets/FontManager.h"

#include "platform/RecordedFont.h"
#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Kind = DeviceCall::Kind;

struct FontManagerTest : ::testing::Test {
    RecordingDevice& device = installRecordingDevice();
    FontManager& registry = FontManager::instance();
};

TEST_F(FontManagerTest, FirstCreationOfANameWins) {
    registry.decodeAhead({{"Arial", 24, 0, false, 400}});
    registry.createFont("arialMenu", "Arial", 24, 0, false, 400);
    registry.createFont("arialMenu", "Arial", 40, 0, true, 700);
    registry.createFont("ArialMenu", "Arial", 40, 0, false, 400);
    ASSERT_EQ(device.count(Kind::CreateFont), 2u);
    const auto& font = static_cast<const RecordedFont&>(*registry.fonts.at("arialMenu"));
    EXPECT_EQ(font.height, 24);
    EXPECT_EQ(registry.fonts.size(), 2u);
    // Rasterised ahead, it is the font made when created.
    registry.createFont("direct", "Arial", 24, 0, false, 400);
    EXPECT_EQ(font.atlas->atlas.rgba, static_cast<const RecordedFont&>(*registry.fonts.at("direct")).atlas->atlas.rgba);
}

TEST_F(FontManagerTest, TextIsDrawnWithTheLowEightBitsOfEachComponentAndAFailedOrUnknownFontDrawsNothing) {
    registry.createFont("arial", "Arial", 25, 0, false, 400);
    registry.drawText("arial", "Score 3", 10, 20, 300, 60, 255, 255, 255, 255, 5);
    registry.drawText("arial", "x", 0, 0, 100, 100, 0x1AB, 0x102, 0x3, 0x1FF, 0);

    const std::vector<const DeviceCall*> texts = device.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    const Rect& r = texts[0]->rect;
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array{10, 20, 300, 60}));
    EXPECT_EQ(texts[0]->text, "Score 3");
    EXPECT_EQ(texts[0]->format, DT_CENTER | DT_VCENTER);
    EXPECT_EQ(texts[0]->color, 0xFFFFFFFFu);
    EXPECT_EQ(texts[1]->color, 0xFFAB0203u);

    // Without a device a font cannot be made; its name stays empty, and it
    // draws nothing, as a name never made.
    registry.device = nullptr;
    registry.createFont("arialBig", "Arial", 35, 0, false, 400);
    registry.device = &device;
    registry.createFont("arialBig", "Arial", 35, 0, false, 400);
    EXPECT_EQ(registry.fonts.at("arialBig"), nullptr);
    registry.drawText("arialBig", "Pause", 0, 0, 100, 100, 255, 255, 255, 255, 0);
    registry.drawText("neverMade", "Pause", 0, 0, 100, 100, 255, 255, 255, 255, 0);
    EXPECT_EQ(device.count(Kind::Text), 2u);
    EXPECT_EQ(registry.fonts.count("neverMade"), 0u);
}

}  // namespace
