#include "shell/Config.h"

#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
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

    const struct { const char* file; int width, height, fullscreen, multisample; } cases[] = {
        {"", 640, 480, 0, 0},
        // Full screen 2 still runs windowed: only 1 asks for full screen.
        {"[screen]\nWidth=1024px\nheight= 768\nfullscreen=2\nmultisample=+4x\n", 1024, 768, 2, 4},
        {"[Screen]\nwidth=abc\nheight=-5\nfullscreen=99999999999\nmultisample=x\n", 640, 480, 0, 0},
        {"[Screen]\nwidth=0\nheight=2147483648\n", 640, 480, 0, 0},
        {"[Screen]\nmultisample=2147483647\nfullscreen=-2147483648\n", 640, 480, -2147483647 - 1, 2147483647},
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

TEST_F(ConfigTest, SavingKeepsWhatWasEditedByHand) {
    writeTextFile(path, "; my settings\n[SCREEN]\n; size\nWidth=800\nvsync=1\n\n[Keys]\np2Action1=Keypad 1, Right Ctrl\n");
    Config& c = Config::instance();
    c.saveConfig(1280, 720, false, 0);
    EXPECT_EQ(readTextFile(path), "; my settings\n[SCREEN]\n; size\nWidth=1280\nvsync=1\nheight=720\nmultisample=0\n"
                                  "fullscreen=0\n\n[Keys]\np2Action1=Keypad 1, Right Ctrl\n");
    EXPECT_EQ(c.width, 800);
}

// A folder in place of the file: the defaults, then a save that cannot be
// made, each said in one line, with the chosen values kept for the run.
TEST_F(ConfigTest, AnUnusableFileIsReportedOnceAndTheValuesHold) {
    std::filesystem::create_directories(path);
    testing::internal::CaptureStderr();
    Config& c = Config::instance();
    const std::string readMessage = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    c.saveConfig(1024, 768, true, 4);
    const std::string saveMessage = testing::internal::GetCapturedStderr();
    for (const std::string& message : {readMessage, saveMessage}) {
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_NE(message.find("Data/config.ini"), std::string::npos) << message;
    }
    EXPECT_EQ(settingsOf(c), (Settings{640, 480, 0, 0, 1024, 768, 1, 4}));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
