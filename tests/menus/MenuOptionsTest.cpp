#include "menus/GameDirectory.h"
#include "menus/MenuOptions.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"
#include "shell/Config.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A page on a fresh settings file and a device with 4 samples at most.
class MenuOptionsTest : public ::testing::Test {
protected:
    void tap(ControlKind kind, int player = 1) { keys.tap(*page, kind, player); }
    void open() { page = std::make_unique<MenuOptions>(); }

    GameDirectory directory;
    RecordingScreen screen;
    ScriptedKeys keys;
    std::unique_ptr<MenuOptions> page;
};

TEST_F(MenuOptionsTest, ResolutionWrapsBothWays) {
    open();
    EXPECT_EQ(page->resolutionIndex, 0);  // no settings file: 640 x 480
    tap(Action2);
    EXPECT_EQ(page->resolutionIndex, 7);
    tap(Action1);
    EXPECT_EQ(page->resolutionIndex, 0);
    // A value changes on the item highlighted before the step's move.
    keys.hold(KeyCode::Return);
    keys.hold(Down, 2);
    keys.step(*page);
    EXPECT_EQ(page->resolutionIndex, 1);
    EXPECT_EQ(page->selected, 2);
    EXPECT_FALSE(page->fullscreenChoice);
}

TEST_F(MenuOptionsTest, MultisampleStepsThroughWhatTheDeviceAccepts) {
    const struct { int from, maxSamples; ControlKind key; int player, to; } cases[] = {
        {0, 4, Action1, 1, 2},
        {4, 4, Action1, 1, 0},     // 8 is refused by this device
        {16, 16, Action1, 1, 16},  // no count beyond 16
        {16, 16, Action2, 1, 8}, {2, 16, Action2, 2, 0},
        {3, 16, Action1, 1, 6},    // an odd saved count doubles...
        {12, 16, Action1, 1, 0},   // ...until refused: 24 is no multisample count
    };
    open();
    page->selected = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << (c.key == Action1 ? " forward" : " back"));
        screen.device->maxSamples = c.maxSamples;
        page->multisampleChoice = c.from;
        tap(c.key, c.player);
        EXPECT_EQ(page->multisampleChoice, c.to);
    }
}

// Volumes are heard and saved as they change, one entry each; the screen
// settings when the page is left.
TEST_F(MenuOptionsTest, VolumesAreSavedAtOnceAndLeavingSavesTheScreenSettings) {
    Config& config = Config::instance();
    config.savedWidth = 1280;
    config.savedHeight = 1024;
    config.savedFullscreen = 1;
    open();
    tap(Down);
    tap(Action1);  // full screen off
    tap(Down);
    tap(Down);
    tap(Action2);  // music 10 to 9
    EXPECT_EQ(directory.settingsLines(), (std::vector<std::string>{"[Sound]", "music=9"}));
    tap(Down);
    tap(Action1);  // effects past 10 to 0
    tap(Action2);  // and no lower
    EXPECT_EQ(std::tuple(config.musicVolume, config.effectsVolume), std::tuple(9, 0));
    tap(Down);
    tap(Down);
    tap(Action2);  // backward on the last item: neither saves nor leaves
    EXPECT_EQ(page->getResult(), 0);
    EXPECT_EQ(directory.settingsLines().size(), 3u);
    tap(Action1);
    EXPECT_EQ(page->getResult(), MenuOptions::RETURN_TO_MAIN_MENU);
    EXPECT_EQ(directory.settingsLines(),
              (std::vector<std::string>{"[Sound]", "music=9", "effects=0", "[Screen]", "width=1280", "height=1024",
                                        "multisample=0", "fullscreen=0"}));
    EXPECT_EQ(config.width, 640) << "in force only from the next start";
}

}  // namespace
