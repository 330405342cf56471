#include "assets/TextureManager.h"
#include "match/Game.h"
#include "menus/GameDirectory.h"
#include "menus/MainMenu.h"
#include "menus/MenuAbout.h"
#include "menus/MenuCharacters.h"
#include "menus/MenuIntro.h"
#include "menus/MenuPause.h"
#include "menus/Notification.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"
#include "shell/RenderFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

TEST(MenuTest, HeldDirectionMovesAtOnceThenEvery400MsAndWraps) {
    ScriptedKeys keys;
    MainMenu menu;
    keys.hold(Down, 1);
    std::vector<int> seen, expected;
    for (int i = 0; i < 71; ++i) {
        keys.step(menu);
        seen.push_back(menu.selected);
    }
    // The timer gathers 33 ms per step after a move: 12 steps give 396, the
    // 13th 429, and the step after that moves. Past "Exit" comes "Play".
    for (int item : {2, 3, 4, 5, 6}) expected.insert(expected.end(), 14, item);
    expected.push_back(1);
    EXPECT_EQ(seen, expected);
}

TEST(MenuTest, ChoiceTakesTheItemMovedToAndIsUsedUpForTheNextPage) {
    ScriptedKeys keys;
    MainMenu first;
    keys.hold(Down, 2);
    keys.hold(Action1, 1);
    keys.hold(KeyCode::Return);
    keys.step(first);
    EXPECT_EQ(first.getResult(), MainMenu::ONLINE);

    MenuPause next;
    keys.step(next);  // a direction still held moves a new page at once, to the item chosen below
    keys.release(Down, 2);
    for (int i = 0; i < 20; ++i) keys.step(next);  // G and Return kept down
    EXPECT_EQ(next.getResult(), 0);
    keys.release(Action1, 1);
    keys.release(KeyCode::Return);
    keys.step(next);
    keys.hold(Action1, 1);
    keys.step(next);
    EXPECT_EQ(next.getResult(), MenuPause::EXIT_TO_MAIN_MENU);
}

TEST(MenuDrawingTest, TitleRowsAndBackgroundAt640By480) {
    GameDirectory directory;
    RecordingScreen screen;
    MainMenu menu;
    menu.selected = 2;
    menu.draw();
    const auto texts = screen.texts();
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0]->text, "Menu");
    EXPECT_TRUE(drawnIn(texts[0], 106, 120, 533, 152, DT_CENTER | DT_VCENTER, TITLE_BLUE));
    const char* items[] = {"Play", "Online", "Options", "About", "Replays", "Exit"};
    for (int i = 0; i < 6; ++i) {
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

    // The generated picture stretched over the screen.
    ASSERT_NE(menu.texture, nullptr);
    menu.drawPictures();
    const DeviceCall* draw = screen.device->last(DeviceCall::Kind::SpriteDraw);
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->texture, menu.texture);
    EXPECT_EQ((std::array{draw->topLeft.x, draw->topLeft.y, draw->bottomRight.x, draw->bottomRight.y}),
              (std::array{0.0f, 0.0f, 640.0f, 480.0f}));
}

TEST(MenuDrawingTest, APageIsShownAgainOnlyWhenItChangesOrTheWindowLostItsPicture) {
    GameDirectory directory;
    RecordingScreen screen;
    ScriptedKeys keys;
    Game& game = Game::instance();
    // Whether a frame was presented, and the device saw exactly that.
    const auto shown = [&](bool pictureLost) {
        screen.device->clearCalls();
        const bool presented = renderFrame(pictureLost);
        EXPECT_EQ(screen.device->count(DeviceCall::Kind::Present), presented ? 1u : 0u);
        return presented;
    };
    game.menu = std::make_unique<MainMenu>();
    EXPECT_TRUE(shown(false));
    keys.step(*game.menu);
    EXPECT_FALSE(shown(false));
    EXPECT_TRUE(shown(true)) << "uncovered, resized or switched to full screen";
    EXPECT_FALSE(shown(false));
    keys.tap(*game.menu, Down, 1);
    EXPECT_TRUE(shown(false)) << "the highlight moved";
    EXPECT_FALSE(shown(false));

    // The intro shows every step of a fade, and nothing new once faded in.
    game.menu = std::make_unique<MenuIntro>();
    EXPECT_TRUE(shown(false));
    keys.step(*game.menu);
    EXPECT_TRUE(shown(false));
    auto& intro = static_cast<MenuIntro&>(*game.menu);
    intro.remainingMs = 2000;
    keys.step(intro);
    EXPECT_TRUE(shown(false));
    keys.step(intro);
    EXPECT_FALSE(shown(false));

    // A match is drawn every frame.
    game.menu.reset();
    EXPECT_TRUE(shown(false));
    EXPECT_TRUE(shown(false));
}

TEST(MenuCharactersTest, CursorsMoveOnTheirOwnTimersAndALockedCursorStays) {
    ScriptedKeys keys;
    MenuCharacters page;
    keys.hold(Down, 1);
    keys.step(page);
    EXPECT_EQ(std::pair(page.selected, page.cursor2), std::pair(2, 1));
    // Player 2 presses while player 1's timer runs: moves at once.
    keys.hold(Up, 2);
    keys.step(page);
    EXPECT_EQ(std::pair(page.selected, page.cursor2), std::pair(2, 3));
    // Player 1 still holding: the next move comes after 400 ms.
    for (int i = 0; i < 12; ++i) keys.step(page);
    EXPECT_EQ(page.selected, 2);
    keys.step(page);
    EXPECT_EQ(page.selected, 3);

    keys.releaseAll();
    keys.step(page);
    keys.tap(page, Down, 1);  // past "Go Back" to the first row
    keys.hold(KeyCode::Return);  // plays no part here
    keys.hold(Action1, 1);
    keys.step(page);
    ASSERT_EQ(std::pair(page.choice1, page.getResult()), std::pair(1, 0)) << "one lock alone starts nothing";
    // The lock uses up its own player's press only.
    EXPECT_EQ(keys.input.keyboard->states[controlIndex(Action1, 2)], Released);
    keys.release(Action1, 1);
    keys.tap(page, Down, 1);
    EXPECT_EQ(page.selected, 1);
    keys.tap(page, Action1, 2);  // player 2 still on "Go Back"
    EXPECT_EQ(page.getResult(), MenuCharacters::GO_BACK);
}

// Its pictures come as they show: the first frame waits for the first only.
TEST(MenuIntroTest, EndsAfter6000MsOfCappedStepsOrAtAnActionWithPicturesFadingInTurn) {
    ScriptedKeys keys;
    MenuIntro intro;
    const auto registered = [] {
        std::string names;
        for (const auto& entry : TextureManager::instance().textures) names += entry.first + " ";
        return names;
    };
    EXPECT_EQ(registered(), "intro1 ");
    keys.hold(Down, 1);
    keys.hold(Up, 2);
    keys.step(intro);
    EXPECT_EQ(registered(), "intro1 intro2 ");
    int steps = 1;
    for (; intro.getResult() == 0 && steps < 1000; ++steps)
        keys.step(intro);  // a stalled frame counts 33 ms at most
    EXPECT_EQ(steps, 182);  // 181 steps are 5973 ms
    const std::pair<int, std::array<int, 3>> expected[] = {
        {6000, {255, 0, 0}}, {5250, {255, 128, 0}}, {4500, {0, 255, 0}}, {3000, {0, 255, 255}}};
    for (const auto& [remaining, alphas] : expected) {
        intro.remainingMs = remaining;
        EXPECT_EQ(intro.pictureAlphas(), alphas) << remaining << " ms left";
    }

    MenuIntro skipped;  // by player 2's action
    keys.hold(Action1, 2);
    keys.step(skipped);
    EXPECT_EQ(skipped.getResult(), MenuIntro::FINISHED);
    EXPECT_EQ(keys.input.controls[controlIndex(Action1, 2)], Consumed);
}

TEST(MenuAboutTest, CreditsFitTheirBoxBelowBackAt640By480) {
    RecordingScreen screen;
    MenuAbout about;
    about.draw();
    const auto texts = screen.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1]->color, RED);
    const DeviceCall* credits = texts[2];
    EXPECT_EQ(credits->text, MenuAbout::CREDITS);
    EXPECT_TRUE(drawnIn(credits, 137, 188, 502, 360, DT_LEFT | DT_TOP, WHITE));
    // Every line fits the box: drawn without bounds, no glyph more shows.
    const std::size_t glyphsInBox = credits->glyphs.size();
    FontManager::instance().drawText("smallFont", MenuAbout::CREDITS, 0, 0, 10000, 10000, 255,
                                     255, 255, 255, DT_LEFT | DT_TOP);
    EXPECT_EQ(glyphsInBox, screen.device->last(DeviceCall::Kind::Text)->glyphs.size());
}

TEST(NotificationTest, FadesInOverAQuarterOfItsLifeAndOutOverTheLastAndEndsOnTime) {
    const struct { int duration, remaining, alpha; } cases[] = {
        {1000, 1000, 0}, {1000, 875, 128}, {1000, 750, 255}, {1000, 125, 127}, {1000, 1, 1}, {2000, 1500, 255},
        {2000, 250, 127}};
    Notification message(0, 0, 0, 0);
    for (const auto& c : cases) {
        message.durationMs = c.duration;
        message.remainingMs = c.remaining;
        EXPECT_EQ(message.alpha(), c.alpha) << c.remaining << " of " << c.duration << " ms";
    }
    message.remainingMs = message.durationMs = 1000;
    int steps = 0;
    for (; message.remainingMs > 0 && steps < 100; ++steps) message.update(33);
    EXPECT_EQ(steps, 31);
}

}  // namespace
