#include "assets/TextureManager.h"

#include "platform/RecordedTexture.h"
#include "support/PictureFiles.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

TEST(TextureManagerTest, FirstRegistrationOfANameWinsAndAFailedLoadStaysEmpty) {
    RecordingDevice& device = installRecordingDevice();
    TextureManager& registry = TextureManager::instance();
    TempDirectory dir;
    const std::string menu = dir.file("menu.png"), other = dir.file("other.png");
    writeFlatPng(menu, 4, 4, 0x336699FFu);
    writeFlatPng(other, 2, 2, 0xFFFFFFFFu);

    Texture* first = registry.loadTexture("menu", menu);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->width(), 4);
    EXPECT_EQ(registry.loadTexture("menu", other), first);
    EXPECT_EQ(registry.getTexture("menu"), first);
    EXPECT_FALSE(device.last(Kind::CreateTexture)->keyed);

    // A failed load keeps its name, empty even when a good path comes later.
    EXPECT_EQ(registry.loadTexture("draw", dir.file("missing.png")), nullptr);
    EXPECT_EQ(registry.loadTexture("draw", menu), nullptr);
    EXPECT_EQ(registry.getTexture("draw"), nullptr);
    EXPECT_EQ(device.count(Kind::CreateTexture), 2u);  // menu and the failed draw, once each
    EXPECT_EQ(registry.textures.size(), 2u);
}

TEST(TextureManagerTest, PicturesDecodedAheadGiveTheSameEntries) {
    installRecordingDevice();
    TextureManager& registry = TextureManager::instance();
    TempDirectory dir;
    const std::string menu = dir.file("menu.png");
    writeFlatPng(menu, 4, 4, 0x336699FFu);
    registry.decodeAhead({menu, dir.file("missing.png")});

    Texture* ahead = registry.loadTexture("menu", menu);
    ASSERT_NE(ahead, nullptr);
    EXPECT_EQ(ahead->width(), 4);
    EXPECT_EQ(static_cast<RecordedTexture*>(ahead)->image.rgba[0], 0x33);
    EXPECT_EQ(registry.loadTexture("draw", dir.file("missing.png")), nullptr);
    EXPECT_EQ(registry.textures.count("draw"), 1u);
    // Its decoded copy taken, the same file under another name decodes again.
    EXPECT_NE(registry.loadTexture("again", menu), nullptr);
}

}  // namespace
