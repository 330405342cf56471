#include "match/MatchWorld.h"

#include <gtest/gtest.h>

namespace {

// Runs the message on screen to its end; returns the steps it took. A
// message made at that end has all its time still ahead.
int finishMessage(MatchWorld& world) {
    const Game& game = world.game;
    int steps = 0;
    do {
        world.loopStep(33);
        ++steps;
    } while (game.notification && !game.menu &&
             game.notification->remainingMs < game.notification->durationMs);
    return steps;
}

void expectRobotsOnTheirSpots(const Game& game) {
    EXPECT_EQ(game.robot1->x, 6.0);
    EXPECT_EQ(game.robot1->y, 0.0);
    EXPECT_EQ(game.robot1->state, RobotFree);
    EXPECT_EQ(game.robot2->x, -6.0);
    EXPECT_EQ(game.robot2->y, 0.0);
    EXPECT_EQ(game.robot2->state, RobotFree);
}

TEST(NotificationPhaseTest, GoalMessageEndsAfter31StepsWithRobotsBack) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    game.robot1->x = 3.0;
    game.robot2->y = -2.0;
    world.discInFlight(2, 6.45, 0.0, 5.0, 0.0);
    world.loopStep();
    ASSERT_EQ(world.messagePicture(), world.picture("5points"));
    const int clock = game.timeLeft;
    EXPECT_EQ(finishMessage(world), 31);
    EXPECT_EQ(game.notification, nullptr);
    expectRobotsOnTheirSpots(game);
    EXPECT_EQ(game.timeLeft, clock) << "the match stands still under a message";
    EXPECT_EQ(game.flow, Game::FlowPlaying);
    // The next play step serves the disc on the half of the player who did
    // not score.
    world.loopStep();
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_EQ(game.frisbee->x, 4.0);
}

TEST(NotificationPhaseTest, GoalFrom18To21WinsTheSetAndTheClockRunsOn) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    game.score = {18, 12};
    game.timeLeft = 40000;
    world.discInFlight(1, -6.45, 1.5, -5.0, 0.0);
    world.loopStep();
    EXPECT_EQ(game.score[0], 21);
    const int clock = game.timeLeft;
    finishMessage(world);
    EXPECT_EQ(world.messagePicture(), world.picture("p1WonSet"));
    EXPECT_EQ(game.notification->durationMs, 2000);
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{1, 0}));
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.flow, Game::FlowPlaying);
    EXPECT_EQ(finishMessage(world), 61);
    expectRobotsOnTheirSpots(game);
    EXPECT_EQ(game.notification, nullptr);
    EXPECT_EQ(game.timeLeft, clock);
}

TEST(NotificationPhaseTest, ClockOutAtADrawAwardsNoSetAndServesTowardPlayerOne) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    game.score = {7, 7};
    game.setsWon = {1, 0};
    world.discHeldByPlayer1();
    game.timeLeft = 10;
    world.loopStep();
    ASSERT_EQ(world.messagePicture(), world.picture("timesup"));
    finishMessage(world);
    EXPECT_EQ(world.messagePicture(), world.picture("draw"));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{1, 0}));
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS);
    EXPECT_EQ(game.flow, Game::FlowNextSet);
    // Served by player 2: it drops on player 1's half and only player 1 may
    // catch it before it lands.
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_EQ(game.frisbee->x, 4.0);
    EXPECT_EQ(game.frisbee->owner, 2);
    EXPECT_FALSE(game.frisbee->visible);
    expectRobotsOnTheirSpots(game);

    finishMessage(world);
    EXPECT_EQ(game.notification, nullptr);
    EXPECT_TRUE(game.frisbee->visible);
    expectRobotsOnTheirSpots(game);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS);
}

TEST(NotificationPhaseTest, ClockOutAt3To9WithOneSetEachEndsTheMatch) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    Game::switchMusic(game.musicMenu, game.musicGame);
    game.score = {3, 9};
    game.setsWon = {1, 1};
    world.discHeldByPlayer1();
    game.timeLeft = 10;
    world.loopStep();
    EXPECT_EQ(finishMessage(world), 31);
    EXPECT_EQ(world.messagePicture(), world.picture("p2WonSet"));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{1, 2}));
    EXPECT_EQ(game.flow, Game::FlowMatchWon);
    EXPECT_EQ(finishMessage(world), 61);
    EXPECT_EQ(world.messagePicture(), world.picture("p2WonGame"));
    EXPECT_EQ(game.notification->durationMs, 3000);
    EXPECT_EQ(game.flow, Game::FlowBackToMenu);
    expectRobotsOnTheirSpots(game);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicGame));
    EXPECT_EQ(finishMessage(world), 91);
    ASSERT_NE(game.menu, nullptr);
    EXPECT_EQ(game.menu->getTitle(), "Menu");
    EXPECT_EQ(game.notification, nullptr);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicGame));
    // The match objects stay until the next match.
    EXPECT_NE(game.robot1, nullptr);
    expectRobotsOnTheirSpots(game);
}

TEST(NotificationPhaseTest, TwoSetsOnPointsWinTheMatch) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(11);
    game.score = {5, 19};
    game.setsWon = {0, 1};
    world.discInFlight(2, 6.45, 1.0, 5.0, 0.0);
    world.loopStep();
    finishMessage(world);
    EXPECT_EQ(world.messagePicture(), world.picture("p2WonSet"));
    EXPECT_EQ(game.flow, Game::FlowMatchWon);
    finishMessage(world);
    EXPECT_EQ(world.messagePicture(), world.picture("p2WonGame"));
    finishMessage(world);
    ASSERT_NE(game.menu, nullptr);
    EXPECT_EQ(game.menu->getTitle(), "Menu");
}

}  // namespace
