#include "assets/TextureManager.h"

#include "platform/RecordedTexture.h"
#include "support/PictureFiles.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

using Kind = DeviceCall::Kind;

struct TextureManagerTest : ::testing::Test {
    RecordingDevice& device = installRecordingDevice();
    TextureManager& registry = TextureManager::instance();
    TempDirectory dir;
    std::string menu = dir.file("menu.png");
    std::string other = dir.file("other.png");

    TextureManagerTest() {
        writeFlatPng(menu, 4, 4, 0x336699FFu);
        writeFlatPng(other, 2, 2, 0xFFFFFFFFu);
    }
};

TEST_F(TextureManagerTest, FirstRegistrationOfANameWinsAndLoadsOnce) {
    Texture* first = registry.loadTexture("menu", menu);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->width(), 4);
    EXPECT_EQ(registry.loadTexture("menu", other), first);
    EXPECT_EQ(registry.getTexture("menu"), first);
    EXPECT_EQ(device.count(Kind::CreateTexture), 1u);
    EXPECT_FALSE(device.last(Kind::CreateTexture)->keyed);

    // Letter case makes another name.
    Texture* capitalised = registry.loadTexture("Menu", other);
    ASSERT_NE(capitalised, nullptr);
    EXPECT_NE(capitalised, first);
    EXPECT_EQ(registry.textures.size(), 2u);
}

TEST_F(TextureManagerTest, AFailedLoadStaysEmptyUnderItsName) {
    EXPECT_EQ(registry.loadTexture("draw", dir.file("missing.png")), nullptr);
    ASSERT_EQ(registry.textures.count("draw"), 1u);
    EXPECT_EQ(registry.loadTexture("draw", menu), nullptr);
    EXPECT_EQ(registry.getTexture("draw"), nullptr);
    EXPECT_EQ(device.count(Kind::CreateTexture), 1u);

    // A name never loaded has nothing and is not registered by asking.
    EXPECT_EQ(registry.getTexture("never"), nullptr);
    EXPECT_EQ(registry.textures.count("never"), 0u);
}

void reportTextures() {
    std::fprintf(stderr, "textures destroyed %d alive %d\n", RecordedTexture::destroyed, RecordedTexture::alive);
}

TEST(TextureManagerExit, EachTextureIsReleasedOnceAndEmptyEntriesNotAtAll) {
    TempDirectory dir;
    writeFlatPng(dir.file("a.png"), 2, 2, 0xFFFFFFFFu);
    EXPECT_EXIT(
        {
            // Registered before the registry exists, so it runs after the
            // registry is gone.
            std::atexit(reportTextures);
            installRecordingDevice();
            TextureManager& registry = TextureManager::instance();
            registry.loadTexture("a", dir.file("a.png"));
            registry.loadTexture("b", dir.file("a.png"));
            registry.loadTexture("a", dir.file("a.png"));
            registry.loadTexture("gone", dir.file("missing.png"));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "textures destroyed 2 alive 0");
}

}  // namespace
