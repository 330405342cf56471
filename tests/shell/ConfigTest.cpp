#include "shell/Config.h"

#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct ConfigTest : ::testing::Test {
    TempDirectory dir;
    WorkingDirectory inside{dir.path()};
    std::string path = dir.file("Data/config.ini");
};

// width, height, fullscreen, multisample: the running values, then the saved ones.
using Settings = std::array<int, 8>;
Settings settingsOf(const Config& c) {
    return {c.width, c.height, c.fullscreen, c.multisample,
            c.savedWidth, c.savedHeight, c.savedFullscreen, c.savedMultisample};
}

TEST_F(ConfigTest, ReadsEachKeyAsAtoiWouldAndUnusableSizesFallBackToTheirDefaults) {
    writeTextFile(path, "[Screen]\nwidth=800\n");
    Config& config = Config::instance();
    EXPECT_EQ(settingsOf(config), (Settings{800, 480, 0, 0, 800, 480, 0, 0}));

    const struct {
        const char* file;
        int width, height, fullscreen, multisample;
    } cases[] = {
        {"", 640, 480, 0, 0},
        // Full screen 2 still runs windowed: only 1 asks for full screen.
        {"[screen]\nWidth=1024px\nheight= 768\nfullscreen=2\nmultisample=+4x\n", 1024, 768, 2, 4},
        {"[Screen]\nwidth=abc\nheight=-5\nfullscreen=99999999999\nmultisample=x\n", 640, 480, 0, 0},
        {"[Screen]\nwidth=0\nheight=2147483648\n", 640, 480, 0, 0},
        {"[Screen]\nmultisample=2147483647\nfullscreen=-2147483648\n", 640, 480, -2147483647 - 1,
         2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        writeTextFile(path, c.file);
        config.width = config.savedWidth = Config::DEFAULT_WIDTH;
        config.height = config.savedHeight = Config::DEFAULT_HEIGHT;
        config.fullscreen = config.savedFullscreen = config.multisample = config.savedMultisample = 0;
        config.readConfig();
        EXPECT_EQ(settingsOf(config), (Settings{c.width, c.height, c.fullscreen, c.multisample,
                                                c.width, c.height, c.fullscreen, c.multisample}));
    }
}

TEST_F(ConfigTest, SavingKeepsTheRunningValuesAndWritesANewFileInOrder) {
    std::filesystem::create_directories(dir.path() / "Data");
    Config& c = Config::instance();
    c.saveConfig(1024, 768, true, 4);
    EXPECT_EQ(settingsOf(c), (Settings{640, 480, 0, 0, 1024, 768, 1, 4}));
    EXPECT_EQ(readTextFile(path), "[Screen]\nwidth=1024\nheight=768\nmultisample=4\nfullscreen=1\n");
}

TEST_F(ConfigTest, SavingKeepsWhatWasEditedByHand) {
    writeTextFile(path, "; my settings\n[SCREEN]\n; size\nWidth=800\nvsync=1\n\n[Players]\nname=Ana\n");
    Config& c = Config::instance();
    c.saveConfig(1280, 720, false, 0);
    const std::string text = readTextFile(path);
    // Replaced where it stood under its own spelling; new keys close their section.
    for (const char* kept : {"; my settings\n", "; size\nWidth=1280\nvsync=1\nheight=720\nmultisample=0\nfullscreen=0\n",
                             "[Players]\nname=Ana\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " lost from\n" << text;
    EXPECT_EQ(text.find("800"), std::string::npos) << text;
    EXPECT_EQ(c.width, 800);
}

}  // namespace
