#include "match/MatchWorld.h"

#include <gtest/gtest.h>

namespace {

const auto never = [] { return false; };

TEST(PlayPhaseTest, ClockWaitsForTheCatchAndPlayerTwoThrowsAFivePointGoal) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(22);
    Frisbee& disc = *game.frisbee;
    disc.serve(1);  // drops on player 2's half, at x = -4
    world.keys.hold(Up, 1);  // player 1 steps out of the way of the throw
    world.runUntil(never, 3000);
    EXPECT_EQ(disc.state, FrisbeeResting);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS) << "the clock stands still until the catch";

    // Player 2 runs to the disc and picks it up: the step of the catch counts.
    world.keys.hold(Left, 2);
    ASSERT_TRUE(world.runUntil([&] { return disc.state == FrisbeeHeld; }, 3000));
    EXPECT_EQ(disc.owner, 2);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS - 33);
    world.loopStep(20);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS - 53);
    world.keys.release(Left, 2);
    world.runUntil(never, 400);
    ASSERT_LT(std::abs(game.robot2->y), 0.6)
        << "a straight throw must cross the line near its centre";

    world.keys.hold(Action1, 2);
    ASSERT_TRUE(world.runUntil([&] { return game.notification != nullptr; }, 3000));
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 5}));
    EXPECT_EQ(world.messagePicture(), world.picture("5points"));
    EXPECT_NE(world.messagePicture(), nullptr);
    EXPECT_EQ(game.flow, Game::FlowPlaying);
}

TEST(PlayPhaseTest, EscapePausesAndReturnResumesWithEverythingKept) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(12);
    world.discHeldByPlayer1();
    game.score = {7, 4};
    game.setsWon = {1, 0};
    world.runUntil(never, 330);

    world.keys.holdEscape();
    world.loopStep();
    ASSERT_NE(game.menu, nullptr);
    EXPECT_EQ(game.menu->getTitle(), "Pause");
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));
    const int clock = game.timeLeft;
    const double x1 = game.robot1->x, y2 = game.robot2->y;

    // Escape held on: the pause page ignores it; time passes on the page only.
    world.runUntil(never, 1000);
    world.keys.holdReturn();
    world.loopStep();
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicGame));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicMenu));
    EXPECT_EQ(std::tuple(game.timeLeft, game.score, game.setsWon, game.robot1->x, game.robot2->y),
              std::tuple(clock, std::array{7, 4}, std::array{1, 0}, x1, y2));

    // Escape still held since the pause: no second pause until released.
    world.keys.releaseReturn();
    world.runUntil(never, 200);
    EXPECT_EQ(game.menu, nullptr);
    world.keys.releaseEscape();
    world.loopStep();
    world.keys.holdEscape();
    world.loopStep();
    EXPECT_NE(game.menu, nullptr);
}

TEST(PlayPhaseTest, LosingTheFocusPausesOnceAfterTheMessageShowing) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(12);
    world.discHeldByPlayer1();
    game.notification = game.makeNotification("3points", 300);
    pauseOnFocusLoss();
    world.loopStep();
    EXPECT_EQ(game.menu, nullptr) << "the message runs on";
    ASSERT_TRUE(world.runUntil([&] { return game.menu != nullptr; }, 1000));
    EXPECT_EQ(game.menu->getTitle(), "Pause");
    EXPECT_EQ(game.notification, nullptr);

    // Lost again while the page shows: back in the match, play goes on.
    pauseOnFocusLoss();
    world.keys.holdReturn();
    world.loopStep();
    world.keys.releaseReturn();
    world.runUntil(never, 200);
    EXPECT_EQ(game.menu, nullptr);
}

}  // namespace
