#include "shell/Config.h"

#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

namespace {

struct ConfigTest : ::testing::Test {
    TempDirectory dir;
    WorkingDirectory inside{dir.path()};
    std::string path = dir.file("Data/config.ini");

    void expectSettings(const Config& c, int w, int h, int fullscreen, int multisample) {
        EXPECT_EQ(c.width, w);
        EXPECT_EQ(c.height, h);
        EXPECT_EQ(c.fullscreen, fullscreen);
        EXPECT_EQ(c.multisample, multisample);
        EXPECT_EQ(c.savedWidth, w);
        EXPECT_EQ(c.savedHeight, h);
        EXPECT_EQ(c.savedFullscreen, fullscreen);
        EXPECT_EQ(c.savedMultisample, multisample);
    }
};

TEST_F(ConfigTest, NoFileGivesTheDefaults) { expectSettings(Config::instance(), 640, 480, 0, 0); }

TEST_F(ConfigTest, OnlyAWidthKeepsTheOtherDefaults) {
    writeTextFile(path, "[Screen]\nwidth=800\n");
    expectSettings(Config::instance(), 800, 480, 0, 0);
}

TEST_F(ConfigTest, EveryKeyIsReadAsAtoiWouldAndFullscreenTwoStaysWindowed) {
    writeTextFile(path, "[screen]\nWidth=1024px\nheight= 768\nfullscreen=2\nmultisample=+4x\n");
    expectSettings(Config::instance(), 1024, 768, 2, 4);
}

TEST_F(ConfigTest, SizesThatGiveNoWindowFallBackToTheirDefaults) {
    writeTextFile(path, "[Screen]\nwidth=abc\nheight=-5\nfullscreen=99999999999\nmultisample=x\n");
    expectSettings(Config::instance(), 640, 480, 0, 0);
}

TEST_F(ConfigTest, ZeroAndOverflowingSizesFallBackToo) {
    writeTextFile(path, "[Screen]\nwidth=0\nheight=2147483648\n");
    expectSettings(Config::instance(), 640, 480, 0, 0);
}

TEST_F(ConfigTest, TheLargestIntIsStillANumber) {
    writeTextFile(path, "[Screen]\nmultisample=2147483647\nfullscreen=-2147483648\n");
    const Config& c = Config::instance();
    EXPECT_EQ(c.multisample, 2147483647);
    EXPECT_EQ(c.fullscreen, -2147483647 - 1);
}

TEST_F(ConfigTest, SavingKeepsTheRunningValuesAndWritesANewFileInOrder) {
    std::filesystem::create_directories(dir.path() / "Data");
    Config& c = Config::instance();
    c.saveConfig(1024, 768, true, 4);
    EXPECT_EQ(c.width, 640);
    EXPECT_EQ(c.height, 480);
    EXPECT_EQ(c.fullscreen, 0);
    EXPECT_EQ(c.multisample, 0);
    EXPECT_EQ(c.savedWidth, 1024);
    EXPECT_EQ(c.savedHeight, 768);
    EXPECT_EQ(c.savedFullscreen, 1);
    EXPECT_EQ(c.savedMultisample, 4);
    EXPECT_EQ(readTextFile(path), "[Screen]\nwidth=1024\nheight=768\nmultisample=4\nfullscreen=1\n");
}

TEST_F(ConfigTest, SavingKeepsWhatWasEditedByHand) {
    const std::string edited =
        "; my settings\n[Players]\nname=Ana\n\n[SCREEN]\n; size\nWidth=800\nvsync=1\n";
    writeTextFile(path, edited);
    Config& c = Config::instance();
    c.saveConfig(1280, 720, false, 0);
    const std::string text = readTextFile(path);
    for (const char* kept : {"; my settings", "[Players]", "name=Ana", "; size", "vsync=1"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " lost from\n" << text;
    EXPECT_NE(text.find("Width=1280\n"), std::string::npos) << text;
    EXPECT_NE(text.find("vsync=1\nheight=720\nmultisample=0\nfullscreen=0\n"), std::string::npos)
        << text;
    EXPECT_EQ(c.width, 800);
}

}  // namespace
