#include "menus/GameDirectory.h"
#include "menus/MainMenu.h"
#include "menus/MenuPause.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MenuTest, HeldDirectionMovesAtOnceThenEvery400MsAndWraps) {
    ScriptedKeys keys;
    MainMenu menu;
    keys.hold(Down, 1);
    std::vector<int> seen;
    for (int i = 0; i < 43; ++i) {
        keys.step(menu);
        seen.push_back(menu.selected);
    }
    // The timer gathers 33 ms per step after a move: 12 steps give 396, the
    // 13th 429, and the step after that moves. Past "Exit" comes "Play".
    std::vector<int> expected;
    for (int item : {2, 3, 4}) expected.insert(expected.end(), 14, item);
    expected.push_back(1);
    EXPECT_EQ(seen, expected);
}

TEST(MenuTest, DirectionsOfBothPlayersShareOneHighlightAndTimer) {
    ScriptedKeys keys;
    MainMenu menu;
    keys.hold(Up, 1);
    keys.hold(Down, 2);
    keys.step(menu);
    EXPECT_EQ(menu.selected, 4) << "up wins, and wraps from the first item to the last";
    keys.release(Up, 1);
    keys.step(menu);
    EXPECT_EQ(menu.selected, 4) << "player 2 within 400 ms of player 1's move";
}

TEST(MenuTest, ChoiceTakesTheItemMovedToAndIsUsedUpForTheNextPage) {
    ScriptedKeys keys;
    MainMenu first;
    keys.hold(Down, 2);
    keys.hold(Action1, 1);
    keys.holdReturn();
    keys.step(first);
    EXPECT_EQ(first.getResult(), MainMenu::OPTIONS);

    MenuPause next;
    keys.step(next);
    EXPECT_EQ(next.selected, 2) << "a direction still held moves a new page at once";
    keys.release(Down, 2);
    for (int i = 0; i < 20; ++i) keys.step(next);  // G and Return kept down
    EXPECT_EQ(next.getResult(), 0);
    keys.release(Action1, 1);
    keys.releaseReturn();
    keys.step(next);
    keys.hold(Action1, 1);
    keys.step(next);
    EXPECT_EQ(next.getResult(), MenuPause::EXIT_TO_MAIN_MENU);
}

TEST(MenuDrawingTest, TitleAndRowsAt640By480) {
    RecordingScreen screen;
    MainMenu menu;
    menu.selected = 2;
    menu.draw();
    const auto texts = screen.texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0]->text, "Menu");
    EXPECT_TRUE(drawnIn(texts[0], 106, 120, 533, 152, DT_CENTER | DT_VCENTER, TITLE_BLUE));
    const char* items[] = {"Play", "Options", "About", "Exit"};
    for (int i = 0; i < 4; ++i) {
        const int top = 160 + 36 * i;
        EXPECT_EQ(texts[i + 1]->text, items[i]);
        EXPECT_TRUE(drawnIn(texts[i + 1], 106, top, 533, top + 24, DT_CENTER | DT_VCENTER,
                            i == 1 ? RED : WHITE));
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
    EXPECT_EQ((std::array<float, 4>{draw->topLeft.x, draw->topLeft.y, draw->bottomRight.x,
                                    draw->bottomRight.y}),
              (std::array<float, 4>{0, 0, 640, 480}));
}

}  // namespace
