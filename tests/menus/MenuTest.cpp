#include "menus/MainMenu.h"
#include "menus/MenuAbout.h"
#include "menus/GameDirectory.h"
#include "menus/MenuPause.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int STEP_MS = 33;

// Runs steps with the keys as they stand and records the highlight after
// each one.
std::vector<int> highlightsOver(Menu& menu, ScriptedKeys& keys, int steps) {
    std::vector<int> seen;
    for (int i = 0; i < steps; ++i) {
        keys.poll();
        menu.update(STEP_MS);
        seen.push_back(menu.selected);
    }
    return seen;
}

TEST(MenuTest, HeldDirectionMovesAtOnceThenEvery400MsAndWraps) {
    ScriptedKeys keys;
    MainMenu menu;
    ASSERT_EQ(menu.selected, 1);
    keys.hold(Down, 1);
    const std::vector<int> seen = highlightsOver(menu, keys, 43);
    // The timer gathers 33 ms per step after a move: 12 steps give 396,
    // the 13th 429, and the step after that moves.
    std::vector<int> moves;
    for (int i = 0; i < static_cast<int>(seen.size()); ++i)
        if (i == 0 ? seen[i] != 1 : seen[i] != seen[i - 1]) moves.push_back(i);
    EXPECT_EQ(moves, (std::vector<int>{0, 14, 28, 42}));
    EXPECT_EQ(seen[0], 2);
    EXPECT_EQ(seen[14], 3);
    EXPECT_EQ(seen[28], 4);
    EXPECT_EQ(seen[42], 1);  // past the last item back to the first
}

TEST(MenuTest, UpOnFirstItemWrapsToLastAndReleaseLetsNextPressActAtOnce) {
    ScriptedKeys keys;
    MainMenu menu;
    keys.hold(Up, 2);
    highlightsOver(menu, keys, 1);
    EXPECT_EQ(menu.selected, 4);
    keys.release(Up, 2);
    highlightsOver(menu, keys, 1);  // nothing held: the timer is full again
    keys.hold(Up, 1);
    highlightsOver(menu, keys, 1);
    EXPECT_EQ(menu.selected, 3);
}

TEST(MenuTest, SidewaysKeepsTheTimerRunningWithoutMoving) {
    ScriptedKeys keys;
    MainMenu menu;
    keys.hold(Down, 1);
    highlightsOver(menu, keys, 1);
    keys.release(Down, 1);
    keys.hold(Left, 2);
    highlightsOver(menu, keys, 3);
    keys.release(Left, 2);
    keys.hold(Down, 1);
    // Still within 400 ms of the last move: the new press waits.
    highlightsOver(menu, keys, 1);
    EXPECT_EQ(menu.selected, 2);
}

TEST(MenuTest, UpWinsOverTheOtherPlayersDown) {
    ScriptedKeys keys;
    MainMenu menu;
    menu.selected = 2;
    keys.hold(Up, 1);
    keys.hold(Down, 2);
    highlightsOver(menu, keys, 1);
    EXPECT_EQ(menu.selected, 1);
}

TEST(MenuTest, DirectionStillHeldMovesANewPageOnItsFirstStep) {
    ScriptedKeys keys;
    MainMenu first;
    keys.hold(Down, 2);
    highlightsOver(first, keys, 1);
    MenuPause next;
    highlightsOver(next, keys, 1);
    EXPECT_EQ(next.selected, 2);
}

TEST(MenuTest, ChoiceIsUsedUpAndDoesNotChooseOnTheNextPage) {
    ScriptedKeys keys;
    MainMenu first;
    keys.hold(Action1, 1);
    keys.poll();
    first.update(STEP_MS);
    EXPECT_EQ(first.getResult(), MainMenu::PLAY);
    EXPECT_EQ(keys.input.controls[controlIndex(Action1, 1)], Consumed);
    EXPECT_EQ(keys.keyboard.states[controlIndex(Action1, 1)], Consumed);

    MainMenu next;
    for (int i = 0; i < 20; ++i) {
        keys.hold(Action1, 1);  // G kept down
        keys.poll();
        next.update(STEP_MS);
    }
    EXPECT_EQ(next.getResult(), 0);

    keys.release(Action1, 1);
    keys.poll();
    next.update(STEP_MS);
    keys.hold(Action1, 1);
    keys.poll();
    next.update(STEP_MS);
    EXPECT_EQ(next.getResult(), MainMenu::PLAY);
}

TEST(MenuTest, ReturnWithADirectionChoosesTheItemMovedTo) {
    ScriptedKeys keys;
    MainMenu menu;
    keys.hold(Down, 1);
    keys.holdReturn();
    keys.poll();
    menu.update(STEP_MS);
    EXPECT_EQ(menu.getResult(), MainMenu::OPTIONS);
    EXPECT_EQ(keys.keyboard.enter, Consumed);
    // Both players' action1 are used up with it.
    EXPECT_EQ(keys.input.controls[controlIndex(Action1, 2)], Consumed);
}

TEST(MenuTest, OneItemPageKeepsItsOnlyItem) {
    ScriptedKeys keys;
    MenuAbout about;
    keys.hold(Down, 1);
    highlightsOver(about, keys, 1);
    EXPECT_EQ(about.selected, 1);
    keys.hold(Action1, 2);
    keys.poll();
    about.update(STEP_MS);
    EXPECT_EQ(about.getResult(), MenuAbout::BACK);
}

TEST(MenuTest, PagesCarryTheirTitlesAndItems) {
    EXPECT_EQ(MainMenu().getTitle(), "Menu");
    EXPECT_EQ(MainMenu().items, (std::vector<std::string>{"Play", "Options", "About", "Exit"}));
    EXPECT_EQ(MenuPause().getTitle(), "Pause");
    EXPECT_EQ(MenuPause().items,
              (std::vector<std::string>{"Return to game", "Exit to main menu"}));
    EXPECT_EQ(MenuAbout().getTitle(), "About");
}

TEST(MenuTest, CreditsAreEightLinesWithTwoBlankOnes) {
    std::vector<std::string> lines(1);
    for (const char* c = MenuAbout::CREDITS; *c; ++c) {
        if (*c == '\n')
            lines.emplace_back();
        else
            lines.back() += *c;
    }
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_TRUE(lines[3].empty());
    EXPECT_TRUE(lines[6].empty());
    for (int i : {0, 1, 2, 4, 5, 7}) EXPECT_FALSE(lines[i].empty()) << i;
    // French accents as single Windows-1252 bytes.
    EXPECT_NE(lines[1].find('\xEA'), std::string::npos);
}

}  // namespace

namespace {

TEST(MenuDrawingTest, TitleAndRowsAt640By480) {
    RecordingScreen screen;
    MainMenu menu;
    menu.selected = 2;
    menu.draw();
    const auto texts = screen.texts();
    ASSERT_EQ(texts.size(), 5u);
    const DeviceCall& title = *texts[0];
    EXPECT_EQ(title.text, "Menu");
    EXPECT_EQ(title.font, RecordingScreen::font("arialTitle"));
    EXPECT_TRUE(sameRect(title.rect, 106, 120, 533, 152));
    EXPECT_EQ(title.format, DT_CENTER | DT_VCENTER);
    EXPECT_EQ(title.color, argb(255, 128, 128, 255));
    const int tops[] = {160, 196, 232, 268};
    for (int i = 0; i < 4; ++i) {
        const DeviceCall& row = *texts[i + 1];
        EXPECT_EQ(row.text, menu.items[i]);
        EXPECT_EQ(row.font, RecordingScreen::font("arialMenu"));
        EXPECT_TRUE(sameRect(row.rect, 106, tops[i], 533, tops[i] + 24)) << i;
        EXPECT_EQ(row.color, i == 1 ? argb(255, 255, 0, 0) : argb(255, 255, 255, 255)) << i;
    }
    // Fonts follow the screen height: rows 24 pixels, the title 32.
    std::vector<int> heights;
    for (const DeviceCall* call : screen.device->callsOf(DeviceCall::Kind::CreateFont))
        heights.push_back(call->height);
    EXPECT_EQ(heights, (std::vector<int>{24, 32}));
}

TEST(MenuDrawingTest, PictureIsTheBackgroundStretchedOverTheScreen) {
    GameDirectory directory;
    RecordingScreen screen;
    MainMenu menu;
    ASSERT_NE(menu.texture, nullptr) << "the generated menu picture";
    menu.drawPictures();
    const DeviceCall* draw = screen.device->last(DeviceCall::Kind::SpriteDraw);
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->texture, menu.texture);
    EXPECT_EQ(draw->color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(draw->topLeft.x, 0.0f);
    EXPECT_FLOAT_EQ(draw->topLeft.y, 0.0f);
    EXPECT_FLOAT_EQ(draw->bottomRight.x, 640.0f);
    EXPECT_FLOAT_EQ(draw->bottomRight.y, 480.0f);
}

}  // namespace
