#include "assets/TextureManager.h"

#include "platform/RecordedTexture.h"
#include "support/PictureFiles.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

// Read ahead or from the file, the same picture. The first registration of
// a name wins; a failed load keeps its name, empty even when a good path
// comes later.
TEST(TextureManagerTest, FirstRegistrationOfANameWinsAndAFailedLoadStaysEmptyReadAheadOrNot) {
    RecordingDevice& device = installRecordingDevice();
    TextureManager& registry = TextureManager::instance();
    TempDirectory dir;
    const std::string menu = dir.file("menu.png"), missing = dir.file("missing.png");
    writeFlatPng(menu, 4, 4, 0x336699FFu);
    registry.decodeAhead({menu, missing});
    // The second round decodes again: the first took the decoded copies.
    for (const auto& [name, failed] : {std::pair{"menu", "draw"}, std::pair{"again", "gone"}}) {
        SCOPED_TRACE(name);
        Texture* texture = registry.loadTexture(name, menu);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(static_cast<RecordedTexture*>(texture)->image.rgba[0], 0x33);
        EXPECT_FALSE(device.last(Kind::CreateTexture)->keyed);
        EXPECT_EQ(registry.loadTexture(name, missing), texture);
        EXPECT_EQ(registry.getTexture(name), texture);
        EXPECT_EQ(registry.loadTexture(failed, missing), nullptr);
        EXPECT_EQ(registry.loadTexture(failed, menu), nullptr);
    }
    // menu, again and the failed gone once each; draw failed ahead.
    EXPECT_EQ(device.count(Kind::CreateTexture), 3u);
    EXPECT_EQ(registry.textures.size(), 4u);
}

// A picture drawn smaller keeps only the levels that show, read ahead or
// from its file, and is still drawn at its own size.
TEST(TextureManagerTest, APictureDrawnSmallerLeavesOutItsUnseenLevels) {
    installRecordingDevice();
    TextureManager& registry = TextureManager::instance();
    TempDirectory dir;
    const std::string menu = dir.file("menu.png");
    writeFlatPng(menu, 1024, 1024, 0x336699FFu);
    registry.decodeAhead({menu}, {640, 480});
    for (const char* name : {"ahead", "file"}) {
        SCOPED_TRACE(name);
        const auto* texture = static_cast<RecordedTexture*>(registry.loadTexture(name, menu, {640, 480}));
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->image.width, 512);
        EXPECT_EQ(texture->image.smallerLevels.size(), 9u);
        EXPECT_EQ(texture->width(), 1024);
        EXPECT_EQ(texture->height(), 1024);
    }
}

}  // namespace
