#include "menus/MenuCharacters.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"

#include <gtest/gtest.h>

namespace {

constexpr int STEP_MS = 33;

void step(MenuCharacters& page, ScriptedKeys& keys) {
    keys.poll();
    page.update(STEP_MS);
}

// One key press of a person: down for a step, then up for a step.
void tap(MenuCharacters& page, ScriptedKeys& keys, ControlKind kind, int player) {
    keys.hold(kind, player);
    step(page, keys);
    keys.release(kind, player);
    step(page, keys);
}

TEST(MenuCharactersTest, EachPlayerLocksARowAndTheCodeNamesBoth) {
    struct Case {
        int row1, row2, code;
    };
    for (const Case c : {Case{1, 1, 11}, Case{2, 1, 12}, Case{1, 2, 21}, Case{2, 2, 22}}) {
        ScriptedKeys keys;
        MenuCharacters page;
        if (c.row1 == 2) tap(page, keys, Down, 1);
        if (c.row2 == 2) tap(page, keys, Down, 2);
        tap(page, keys, Action1, 1);
        EXPECT_EQ(page.choice1, c.row1);
        EXPECT_EQ(page.getResult(), 0) << "one player alone starts nothing";
        tap(page, keys, Action1, 2);
        EXPECT_EQ(page.getResult(), c.code);
    }
}

TEST(MenuCharactersTest, BothLockingInOneStepGivesTheCodeAtOnce) {
    ScriptedKeys keys;
    MenuCharacters page;
    keys.hold(Action1, 1);
    keys.hold(Action1, 2);
    step(page, keys);
    EXPECT_EQ(page.getResult(), 11);
}

TEST(MenuCharactersTest, CursorsMoveIndependentlyEachWithItsOwnTimer) {
    ScriptedKeys keys;
    MenuCharacters page;
    keys.hold(Down, 1);
    step(page, keys);
    EXPECT_EQ(page.selected, 2);
    EXPECT_EQ(page.cursor2, 1);
    EXPECT_FLOAT_EQ(page.repeatTimer2, MENU_REPEAT_MS);
    // Player 2 presses while player 1's timer runs: moves at once.
    keys.hold(Up, 2);
    step(page, keys);
    EXPECT_EQ(page.cursor2, 3);
    EXPECT_EQ(page.selected, 2);
    // Player 1 still holding: the next move comes after 400 ms.
    for (int i = 0; i < 12; ++i) step(page, keys);
    EXPECT_EQ(page.selected, 2);
    step(page, keys);
    EXPECT_EQ(page.selected, 3);
}

TEST(MenuCharactersTest, ReturnPlaysNoPart) {
    ScriptedKeys keys;
    MenuCharacters page;
    keys.holdReturn();
    step(page, keys);
    EXPECT_EQ(page.choice1, MenuCharacters::NO_CHOICE);
    EXPECT_EQ(page.choice2, MenuCharacters::NO_CHOICE);
    EXPECT_EQ(page.getResult(), 0);
}

TEST(MenuCharactersTest, LockedCursorStaysAndTheOtherCanStillGoBack) {
    ScriptedKeys keys;
    MenuCharacters page;
    tap(page, keys, Action1, 1);
    ASSERT_EQ(page.choice1, 1);
    tap(page, keys, Down, 1);
    EXPECT_EQ(page.selected, 1);
    // Player 1 pressing again locks the same row again.
    tap(page, keys, Action1, 1);
    EXPECT_EQ(page.choice1, 1);

    tap(page, keys, Up, 2);
    EXPECT_EQ(page.cursor2, MenuCharacters::GO_BACK);
    tap(page, keys, Action1, 2);
    EXPECT_EQ(page.getResult(), MenuCharacters::GO_BACK);
}

TEST(MenuCharactersTest, ChoiceUsesUpOnlyTheChoosingPlayersPress) {
    ScriptedKeys keys;
    MenuCharacters page;
    keys.hold(Action1, 1);
    step(page, keys);
    EXPECT_EQ(keys.keyboard.states[controlIndex(Action1, 1)], Consumed);
    EXPECT_EQ(keys.keyboard.states[controlIndex(Action1, 2)], Released);
}

}  // namespace

namespace {

TEST(MenuCharactersDrawingTest, MarkersSitLeftAndRightOfCentreInWiderBands) {
    RecordingScreen screen;
    MenuCharacters page;
    page.selected = 2;
    page.cursor2 = 3;
    page.draw();
    const auto texts = screen.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0]->text, "Character");
    EXPECT_TRUE(sameRect(texts[0]->rect, 106, 120, 533, 152));
    const DeviceCall* p1 = screen.text("P1");
    ASSERT_NE(p1, nullptr);
    EXPECT_TRUE(sameRect(p1->rect, 256, 264, 533, 288));
    EXPECT_EQ(p1->format, DT_LEFT | DT_VCENTER);
    EXPECT_EQ(p1->color, argb(255, 255, 0, 0));
    const DeviceCall* p2 = screen.text("P2");
    ASSERT_NE(p2, nullptr);
    EXPECT_TRUE(sameRect(p2->rect, 106, 336, 383, 360));
    EXPECT_EQ(p2->format, DT_RIGHT | DT_VCENTER);
    EXPECT_EQ(p2->color, argb(255, 0, 0, 255));
    const DeviceCall* goBack = screen.text("Go Back");
    ASSERT_NE(goBack, nullptr);
    EXPECT_TRUE(sameRect(goBack->rect, 106, 336, 533, 360));
    EXPECT_EQ(goBack->color, argb(255, 255, 255, 255)) << "rows stay white under the markers";
}

}  // namespace
