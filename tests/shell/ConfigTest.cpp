#include "input/KeyBindings.h"
#include "input/PadBindings.h"
#include "shell/Config.h"

#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

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

// A hand-edited file: names and numbers as a person may write them, and
// values that cannot be used, each reported in one line with the default
// in force.
TEST_F(ConfigTest, HandEditedVolumesKeysAndPadButtonsAndThoseThatCannotBeUsed) {
    const struct { const char* file; int music, effects; const char *p1Up, *p1Action1Pad; int reported; } cases[] = {
        {"[Sound]\nmusic=11\neffects= 3 \n", 10, 3, "W", "a", 1},
        {"[Sound]\nmusic=-1\neffects=5x\n", 10, 10, "W", "a", 2},
        {"[sound]\nMUSIC=0\neffects=\"7\"\n", 0, 7, "W", "a", 0},
        {"[Keys]\np1Up=Foo\n[PadButtons]\np1Action1=z\n", 10, 10, "W", "a", 2},
        {"[KEYS]\nP1UP =  keypad 4 ,  LEFT shift \n[padbuttons]\np1action1=Y, LeftShoulder\n", 10, 10,
         "Keypad 4, Left Shift", "y, leftshoulder", 0},
        {"[Keys]\np1Up=\n[PadButtons]\np1Action1= \n", 10, 10, "", "", 0},
        {"[Keys]\np1Up=I,\n[PadButtons]\np1Action1=a,,b\n", 10, 10, "W", "a", 2},
    };
    Config& config = Config::instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        writeTextFile(path, c.file);
        config.musicVolume = config.effectsVolume = SoundManager::MAX_VOLUME;
        KeyBindings keys;
        PadBindings pads;
        testing::internal::CaptureStderr();
        config.readConfig();
        keys.read(path);
        pads.read(path);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::tuple(config.musicVolume, config.effectsVolume, keys.names(controlIndex(Up, 1)),
                             pads.names(controlIndex(Action1, 1))),
                  std::tuple(c.music, c.effects, c.p1Up, c.p1Action1Pad));
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), c.reported) << errors;
    }
}

// The game writes only what the player changed: an unusable entry stays as
// written until its own setting changes.
TEST_F(ConfigTest, UnusableEntriesStayAsWrittenUntilTheirSettingChanges) {
    const std::string file = "[Sound]\nmusic=11\n[Keys]\np1Up=Foo\n[PadButtons]\np1Action1=z\n";
    writeTextFile(path, file);
    Config& config = Config::instance();
    KeyBindings keys;
    PadBindings pads;
    keys.read(path);
    pads.read(path);
    std::string failure;
    config.saveVolumes(10, 4);
    keys.bind(controlIndex(Down, 1), KeyCode::A);  // taken from player 1's left
    pads.bind(controlIndex(Up, 2), PadY);
    ASSERT_TRUE(keys.save(path, failure) && pads.save(path, failure)) << failure;
    EXPECT_EQ(readTextFile(path), "[Sound]\nmusic=11\neffects=4\n[Keys]\np1Up=Foo\np1Down=A\np1Left=\n"
                                  "[PadButtons]\np1Action1=z\np2Up=y\n");
    config.saveVolumes(9, 4);
    keys.bind(controlIndex(Up, 1), KeyCode::W);
    pads.restoreDefaults();
    ASSERT_TRUE(keys.save(path, failure) && pads.save(path, failure)) << failure;
    EXPECT_EQ(readTextFile(path), "[Sound]\nmusic=9\neffects=4\n[Keys]\np1Up=W\np1Down=A\np1Left=\n"
                                  "[PadButtons]\np1Action1=a\np2Up=dpup\n");
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
