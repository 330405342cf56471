#include "match/MatchWorld.h"

#include "audio/SoundManager.h"
#include "menus/MainMenu.h"

#include <gtest/gtest.h>

namespace {

std::string pageTitle(const Game& game) { return game.menu ? game.menu->getTitle() : ""; }

// Moves the main menu's highlight to an item and chooses it with G.
void choose(MatchWorld& world, int item) {
    while (world.game.menu->selected != item) world.tap(Down, 1);
    world.tap(Action1, 1);
}

TEST(MenuPhaseTest, FromTheIntroThroughThePagesToMatchesThatStartFromZero) {
    MatchWorld world;
    Game& game = world.game;
    EXPECT_EQ(pageTitle(game), "MenuIntro");
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicIntro));
    world.keys.holdReturn();
    world.loopStep();
    world.keys.releaseReturn();
    world.loopStep();
    ASSERT_EQ(pageTitle(game), "Menu");
    EXPECT_EQ(game.musicIntro, nullptr);
    EXPECT_EQ(game.sounds->sounds.count("musicIntro"), 0u);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));

    choose(world, MainMenu::ABOUT);
    EXPECT_EQ(pageTitle(game), "About");
    world.tap(Action1, 2);
    EXPECT_EQ(pageTitle(game), "Menu");
    EXPECT_EQ(game.menu->selected, 1) << "every visit starts fresh";

    choose(world, MainMenu::PLAY);
    EXPECT_EQ(pageTitle(game), "Character");
    world.tap(Action1, 1);  // player 1 locks a robot
    world.tap(Up, 2);
    world.tap(Action1, 2);  // player 2 goes back
    EXPECT_EQ(pageTitle(game), "Menu");
    EXPECT_EQ(game.menu->selected, 1);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));

    // Two choices start the match with the game music; after leaving it
    // paused, the next match starts from nothing.
    choose(world, MainMenu::PLAY);
    world.tap(Down, 1);
    world.tap(Action1, 1);
    world.tap(Action1, 2);
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_EQ(game.robot1->model, ModelBig);  // code 12
    EXPECT_EQ(game.robot2->model, ModelSmall);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicGame));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicMenu));
    world.discHeldByPlayer1();
    game.score = {12, 3};
    game.setsWon = {1, 1};
    world.runUntil([] { return false; }, 500);
    world.keys.holdEscape();
    world.loopStep();
    world.keys.releaseEscape();
    world.loopStep();
    ASSERT_EQ(pageTitle(game), "Pause");
    world.tap(Down, 1);
    world.tap(Action1, 1);
    ASSERT_EQ(pageTitle(game), "Menu");
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));

    choose(world, MainMenu::PLAY);
    world.tap(Action1, 1);
    world.tap(Action1, 2);
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.flow, Game::FlowPlaying);
    // On their start spots; player 1's lies just outside its limit, so one step puts it at 5.89.
    EXPECT_EQ(std::tuple(game.robot1->x, game.robot2->x), std::tuple(5.89, -6.0));
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_LE(game.timeLeft, Game::SET_TIME_MS);
    EXPECT_GE(game.timeLeft, Game::SET_TIME_MS - 33);
}

}  // namespace
