#include "match/MatchWorld.h"

#include "input/InputManager.h"
#include "input/KeyboardState.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayPhaseTest, PlayerTwoThrowsAFivePointGoal) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(22);
    Frisbee& disc = *game.frisbee;
    disc.serve(1);  // drops on player 2's half, at x = -4

    // Player 1 steps out of the way; player 2 runs to the disc and picks it up.
    world.keys.hold(Up, 1);
    world.keys.hold(Left, 2);
    ASSERT_TRUE(world.runUntil([&] { return disc.state == FrisbeeHeld; }, 3000));
    EXPECT_EQ(disc.owner, 2);
    world.keys.release(Left, 2);
    world.runUntil([] { return false; }, 400);
    const double lineY = game.robot2->y;
    ASSERT_LT(std::abs(lineY), 0.6) << "a straight throw must cross the line near its centre";

    world.keys.hold(Action1, 2);
    ASSERT_TRUE(world.runUntil([&] { return game.notification != nullptr; }, 3000));
    EXPECT_EQ(game.score[1], 5);
    EXPECT_EQ(game.score[0], 0);
    EXPECT_EQ(world.messagePicture(), world.picture("5points"));
    EXPECT_NE(world.messagePicture(), nullptr);
    // A quarter of the screen in from the top left, half of it wide and high.
    EXPECT_EQ(game.notification->x, 160.0);
    EXPECT_EQ(game.notification->y, 120.0);
    EXPECT_EQ(game.notification->width, 320.0);
    EXPECT_EQ(game.notification->height, 240.0);
    EXPECT_EQ(game.notification->durationMs, 1000);
    EXPECT_EQ(game.flow, Game::FlowPlaying);
}

TEST(PlayPhaseTest, ClockStandsStillWhileTheDiscWaitsToBePickedUp) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    world.runUntil([] { return false; }, 3000);
    EXPECT_EQ(game.frisbee->state, FrisbeeResting);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS);

    // Player 1 walks to the disc at x = 4: the clock starts with the catch.
    world.keys.hold(Right, 1);
    ASSERT_TRUE(world.runUntil([&] { return game.frisbee->state == FrisbeeHeld; }, 3000));
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS - 33) << "the step of the catch counts";
    world.loopStep(20);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS - 53);
}

TEST(PlayPhaseTest, ClockRunningOutShowsTimesUpAndHidesTheDisc) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    world.discHeldByPlayer1();
    game.timeLeft = 50;
    world.loopStep(33);
    EXPECT_EQ(game.timeLeft, 17);
    EXPECT_EQ(game.notification, nullptr);
    world.loopStep(33);  // would go below 0
    EXPECT_EQ(game.timeLeft, 0);
    EXPECT_EQ(world.messagePicture(), world.picture("timesup"));
    EXPECT_EQ(game.flow, Game::FlowTimeUp);
    EXPECT_FALSE(game.frisbee->visible);
}

TEST(PlayPhaseTest, GoalInTheStepTheClockRunsOutLeavesOnlyTimesUp) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    world.discInFlight(1, -6.45, 1.5, -5.0, 0.0);
    game.timeLeft = 20;
    world.loopStep(33);
    EXPECT_EQ(game.score[0], 3);
    EXPECT_EQ(world.messagePicture(), world.picture("timesup"));
    EXPECT_EQ(game.flow, Game::FlowTimeUp);
}

TEST(PlayPhaseTest, EscapePausesAndReturnResumesWithEverythingKept) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(12);
    world.discHeldByPlayer1();
    game.score = {7, 4};
    game.setsWon = {1, 0};
    world.runUntil([] { return false; }, 330);

    world.keys.holdEscape();
    world.loopStep();
    ASSERT_NE(game.menu, nullptr);
    const int clock = game.timeLeft;
    const double x1 = game.robot1->x, y2 = game.robot2->y;
    EXPECT_EQ(game.menu->getTitle(), "Pause");
    EXPECT_EQ(world.keys.keyboard.escape, Consumed);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicGame));

    // Escape held on: the pause page ignores it; time passes on the page only.
    world.runUntil([] { return false; }, 1000);
    world.keys.holdReturn();
    world.loopStep();
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicGame));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicMenu));
    EXPECT_EQ(game.timeLeft, clock);
    EXPECT_EQ(game.score, (std::array<int, 2>{7, 4}));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{1, 0}));
    EXPECT_EQ(game.robot1->x, x1);
    EXPECT_EQ(game.robot2->y, y2);

    // Escape still held since the pause: no second pause until released.
    world.keys.releaseReturn();
    world.runUntil([] { return false; }, 200);
    EXPECT_EQ(game.menu, nullptr);
    world.keys.releaseEscape();
    world.loopStep();
    world.keys.holdEscape();
    world.loopStep();
    EXPECT_NE(game.menu, nullptr);
}

}  // namespace
