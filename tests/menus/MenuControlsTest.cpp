#include "menus/GameDirectory.h"
#include "menus/MenuControls.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"
#include "shell/Config.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

namespace {

constexpr const char* SETTINGS = "Data/config.ini";
// Written by hand: a comment, a screen setting and player 2 on two keys.
constexpr const char* HAND_WRITTEN = "; mine\r\n[Screen]\r\nwidth=800\r\n[Keys]\r\np2Action1=Keypad 0, Right Ctrl\r\n; end\r\n";

class MenuControlsTest : public ::testing::Test {
protected:
    void open(int pads = 0) {
        keys = std::make_unique<ScriptedKeys>(pads);
        keys->input.keyboard->bindings.read(Config::filePath);
        keys->input.joysticks->bindings.read(Config::filePath);
        page = std::make_unique<MenuControls>();
    }
    // Presses a key for one step and lets it go for one.
    void press(Key key) {
        keys->hold(key);
        keys->step(*page);
        keys->release(key);
        keys->step(*page);
    }
    void pressPad(PadButton button) {
        keys->joysticks[0]->reading.buttons.set(button);
        keys->step(*page);
        keys->joysticks[0]->reading.buttons.reset(button);
        keys->step(*page);
    }
    void highlight(int row) {
        while (page->selected != row) keys->tap(*page, Down, 2);
    }
    std::string keysOf(ControlKind kind, int player) const {
        return keys->input.keyboard->bindings.names(controlIndex(kind, player));
    }

    GameDirectory directory;
    RecordingScreen screen;
    std::unique_ptr<ScriptedKeys> keys;
    std::unique_ptr<MenuControls> page;
};

// Each change is in force and saved at once, into the entries it changed
// and nowhere else in the file.
TEST_F(MenuControlsTest, KeysBoundMovedCancelledAndRestoredWithTheRestOfTheFileKept) {
    writeTextFile(SETTINGS, HAND_WRITTEN);
    open();
    press(KeyCode::Return);  // player 1's up
    ASSERT_TRUE(page->listening());
    press(KeyCode::Return);  // means choose, not a key to bind
    EXPECT_TRUE(page->listening());
    press(KeyCode::D);  // player 1's right moves to up
    EXPECT_FALSE(page->listening());
    EXPECT_EQ(std::tuple(keysOf(Up, 1), keysOf(Right, 1), page->notice),
              std::tuple("D", "", "Player 1 Right lost key D"));
    EXPECT_EQ(readTextFile(SETTINGS),
              "; mine\r\n[Screen]\r\nwidth=800\r\n[Keys]\r\np2Action1=Keypad 0, Right Ctrl\r\np1Up=D\r\np1Right=\r\n; end\r\n");

    // One key of a list moves; the list keeps the other. The key still held
    // then drives the control it went to only once pressed again.
    highlight(5);
    keys->tap(*page, Action1, 1);
    keys->hold(KeyCode::RightCtrl);
    keys->step(*page);
    EXPECT_EQ(page->notice, "Player 2 Dash / throw lost key Right Ctrl");
    keys->step(*page);
    EXPECT_EQ(std::tuple(keys->control(Action1, 1), page->listening()), std::tuple(Released, false));
    keys->release(KeyCode::RightCtrl);
    keys->step(*page);
    const std::string bound = readTextFile(SETTINGS);
    EXPECT_EQ(bound, "; mine\r\n[Screen]\r\nwidth=800\r\n[Keys]\r\np2Action1=Keypad 0\r\np1Up=D\r\np1Right=\r\n"
                     "p1Action1=Right Ctrl\r\n; end\r\n");

    // Escape takes the choice back; the file is left alone.
    keys->tap(*page, Down, 2);
    keys->tap(*page, Action1, 1);  // now Right Ctrl
    EXPECT_TRUE(page->listening());
    press(KeyCode::Escape);
    EXPECT_FALSE(page->listening());
    EXPECT_EQ(std::tuple(keysOf(Action2, 1), page->selected, readTextFile(SETTINGS)), std::tuple("H", 6, bound));

    highlight(MenuControls::RESTORE_DEFAULTS);
    press(KeyCode::Return);
    EXPECT_EQ(readTextFile(SETTINGS), "; mine\r\n[Screen]\r\nwidth=800\r\n[Keys]\r\np2Action1=Keypad 1, Right Ctrl\r\n"
                                      "p1Up=W\r\np1Right=D\r\np1Action1=G\r\n; end\r\n");
    EXPECT_EQ(page->getResult(), 0);
    keys->tap(*page, Down, 2);
    press(KeyCode::Return);
    EXPECT_EQ(page->getResult(), MenuControls::BACK);
}

// A player with only a pad: the D-pad moves, A or Start chooses, a button
// pressed binds and moves among that player's own controls, X takes back.
TEST_F(MenuControlsTest, APadAloneBindsItsButtons) {
    const std::string keysByHand = "[Keys]\np2Action1=Keypad 0, Right Ctrl, Keypad Enter\n";
    writeTextFile(SETTINGS, keysByHand);
    open(1);
    for (int row = 1; row < 6; ++row) pressPad(PadDown);
    pressPad(PadA);
    ASSERT_TRUE(page->listening());
    pressPad(PadStart);  // chooses, never bound
    pressPad(PadA);
    EXPECT_EQ(page->notice, "Player 1 Dash / throw lost pad A");
    const PadBindings& bindings = keys->input.joysticks->bindings;
    EXPECT_EQ(std::tuple(bindings.names(controlIndex(Action2, 1)), bindings.names(controlIndex(Action1, 1)),
                         bindings.names(controlIndex(Action1, 2))),
              std::tuple("a", "", "a"));

    // Player 1's action 1 has no button left: Start still chooses.
    pressPad(PadUp);
    pressPad(PadStart);
    pressPad(PadLeftShoulder);
    EXPECT_EQ(bindings.names(controlIndex(Action1, 1)), "leftshoulder");
    const std::string saved = readTextFile(SETTINGS);
    EXPECT_EQ(saved, keysByHand + "[PadButtons]\np1Action1=leftshoulder\np1Action2=a\n");
    pressPad(PadLeftShoulder);
    pressPad(PadX);
    EXPECT_FALSE(page->listening());
    EXPECT_EQ(readTextFile(SETTINGS), saved);

    // The page as drawn: every line inside the page's panel, the bound
    // control with its button, and keys cut short where they would run
    // into the pad column.
    page->draw();
    for (const DeviceCall* text : screen.texts())
        EXPECT_TRUE(text->rect.top >= 0 && text->rect.bottom <= 458) << text->text;
    EXPECT_NE(screen.text("Left shoulder"), nullptr);
    EXPECT_NE(screen.text("Keypad 0, Right Ctrl, ..."), nullptr);
}

}  // namespace
