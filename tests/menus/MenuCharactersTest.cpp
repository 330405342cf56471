#include "menus/MenuCharacters.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuCharactersTest, EachPlayerLocksARowAndTheCodeNamesBoth) {
    struct Case {
        int row1, row2, code;
    };
    for (const Case c : {Case{1, 1, 11}, Case{2, 1, 12}, Case{1, 2, 21}, Case{2, 2, 22}}) {
        SCOPED_TRACE(c.code);
        ScriptedKeys keys;
        MenuCharacters page;
        if (c.row1 == 2) keys.tap(page, Down, 1);
        if (c.row2 == 2) keys.tap(page, Down, 2);
        keys.tap(page, Action1, 1);
        EXPECT_EQ(page.choice1, c.row1);
        EXPECT_EQ(page.getResult(), 0) << "one player alone starts nothing";
        keys.hold(Action1, 2);
        keys.step(page);
        EXPECT_EQ(page.getResult(), c.code) << "in the step of the second lock";
    }
}

TEST(MenuCharactersTest, CursorsMoveIndependentlyEachWithItsOwnTimer) {
    ScriptedKeys keys;
    MenuCharacters page;
    keys.hold(Down, 1);
    keys.step(page);
    EXPECT_EQ(page.selected, 2);
    EXPECT_EQ(page.cursor2, 1);
    // Player 2 presses while player 1's timer runs: moves at once.
    keys.hold(Up, 2);
    keys.step(page);
    EXPECT_EQ(page.cursor2, 3);
    EXPECT_EQ(page.selected, 2);
    // Player 1 still holding: the next move comes after 400 ms.
    for (int i = 0; i < 12; ++i) keys.step(page);
    EXPECT_EQ(page.selected, 2);
    keys.step(page);
    EXPECT_EQ(page.selected, 3);
}

TEST(MenuCharactersTest, LockedCursorStaysAndTheOtherCanStillGoBack) {
    ScriptedKeys keys;
    MenuCharacters page;
    keys.holdReturn();  // plays no part here
    keys.hold(Action1, 1);
    keys.step(page);
    ASSERT_EQ(page.choice1, 1);
    // The lock uses up its own player's press only.
    EXPECT_EQ(keys.keyboard.states[controlIndex(Action1, 2)], Released);
    keys.release(Action1, 1);
    keys.tap(page, Down, 1);
    EXPECT_EQ(page.selected, 1);
    keys.tap(page, Up, 2);
    keys.tap(page, Action1, 2);
    EXPECT_EQ(page.getResult(), MenuCharacters::GO_BACK);
}

TEST(MenuCharactersDrawingTest, MarkersSitLeftAndRightOfCentreInWiderBands) {
    RecordingScreen screen;
    MenuCharacters page;
    page.selected = 2;
    page.cursor2 = 3;
    page.draw();
    EXPECT_TRUE(drawnIn(screen.texts()[1], 106, 192, 533, 216, DT_CENTER | DT_VCENTER, WHITE));
    EXPECT_TRUE(drawnIn(screen.text("P1"), 256, 264, 533, 288, DT_LEFT | DT_VCENTER, RED));
    EXPECT_TRUE(drawnIn(screen.text("P2"), 106, 336, 383, 360, DT_RIGHT | DT_VCENTER, BLUE));
    // Rows stay white under the markers.
    EXPECT_TRUE(drawnIn(screen.text("Go Back"), 106, 336, 533, 360, DT_CENTER | DT_VCENTER, WHITE));
}

}  // namespace
