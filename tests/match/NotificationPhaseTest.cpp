#include "match/MatchWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Messages = std::vector<std::string>;

// A match of two big robots at this score and these sets.
Game& startAt(MatchWorld& world, std::array<int, 2> score, std::array<int, 2> sets) {
    world.game.startMatch(11);
    world.game.score = score;
    world.game.setsWon = sets;
    return world.game;
}

testing::AssertionResult robotsOnTheirSpots(const Game& game) {
    if (!game.robot1 || !game.robot2) return testing::AssertionFailure() << "robots freed";
    for (const auto& [robot, x] : {std::pair{game.robot1.get(), 6.0}, {game.robot2.get(), -6.0}})
        if (robot->x != x || robot->y != 0.0 || robot->state != RobotFree)
            return testing::AssertionFailure() << "robot at (" << robot->x << ", " << robot->y
                                               << ") in state " << robot->state;
    return testing::AssertionSuccess();
}

// Runs the messages on screen one after another until play or a page
// follows: each message's picture and the 33 ms steps it lasted. Both
// robots must stand on their spots after every message.
Messages messagesUntilDone(MatchWorld& world) {
    const Game& game = world.game;
    const auto showing = [&] { return game.notification && !game.menu; };
    Messages shown;
    while (showing() && shown.size() < 5) {
        std::string name = "?";
        for (const char* picture : {"2points", "3points", "5points", "timesup", "draw", "p1WonSet",
                                    "p2WonSet", "p1WonGame", "p2WonGame"})
            if (world.messagePicture() == world.picture(picture)) name = picture;
        // A message made at the end of another has all its time ahead.
        int steps = 0;
        do {
            world.loopStep(33);
            ++steps;
        } while (showing() && game.notification->remainingMs < game.notification->durationMs &&
                 steps < 1000);
        shown.push_back(name + " " + std::to_string(steps));
        EXPECT_TRUE(robotsOnTheirSpots(game)) << "after " << name;
    }
    return shown;
}

void expectBackOnTheMainMenu(const Game& game) {
    ASSERT_NE(game.menu, nullptr);
    EXPECT_EQ(game.menu->getTitle(), "Menu");
    EXPECT_EQ(game.notification, nullptr);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicGame));
}

TEST(NotificationPhaseTest, GoalMessageStopsTheMatchAndPutsTheRobotsBack) {
    MatchWorld world;
    Game& game = startAt(world, {0, 0}, {0, 0});
    game.robot1->x = 3.0;
    game.robot2->y = -2.0;
    world.discInFlight(2, 6.45, 0.0, 5.0, 0.0);
    world.loopStep();
    const int clock = game.timeLeft;
    EXPECT_EQ(messagesUntilDone(world), (Messages{"5points 31"}));
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
    Game& game = startAt(world, {18, 12}, {0, 0});
    world.discInFlight(1, -6.45, 1.5, -5.0, 0.0);
    world.loopStep();
    EXPECT_EQ(game.score[0], 21);
    const int clock = game.timeLeft;
    EXPECT_EQ(messagesUntilDone(world), (Messages{"3points 31", "p1WonSet 61"}));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{1, 0}));
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.flow, Game::FlowPlaying);
    EXPECT_EQ(game.timeLeft, clock);
}

TEST(NotificationPhaseTest, ClockOutAtADrawAwardsNoSetAndServesTowardPlayerOne) {
    MatchWorld world;
    Game& game = startAt(world, {7, 7}, {1, 0});
    world.discHeldByPlayer1();
    game.timeLeft = 10;
    world.loopStep();
    EXPECT_EQ(messagesUntilDone(world), (Messages{"timesup 31", "draw 61"}));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{1, 0}));
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS);
    EXPECT_EQ(game.flow, Game::FlowNextSet);
    // Served by player 2: it drops on player 1's half and only player 1 may
    // catch it before it lands.
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_EQ(game.frisbee->x, 4.0);
    EXPECT_EQ(game.frisbee->owner, 2);
    EXPECT_TRUE(game.frisbee->visible);
}

TEST(NotificationPhaseTest, ClockOutAt3To9WithOneSetEachEndsTheMatch) {
    MatchWorld world;
    Game& game = startAt(world, {3, 9}, {1, 1});
    Game::switchMusic(game.musicMenu, game.musicGame);
    world.discHeldByPlayer1();
    game.timeLeft = 10;
    world.loopStep();
    EXPECT_EQ(messagesUntilDone(world), (Messages{"timesup 31", "p2WonSet 61", "p2WonGame 91"}));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{1, 2}));
    expectBackOnTheMainMenu(game);
}

TEST(NotificationPhaseTest, SecondSetOnPointsWinsTheMatch) {
    MatchWorld world;
    // 17 and 3 make exactly the 20 points a set needs.
    startAt(world, {5, 17}, {0, 1});
    Game::switchMusic(world.game.musicMenu, world.game.musicGame);
    world.discInFlight(2, 6.45, 1.0, 5.0, 0.0);
    world.loopStep();
    EXPECT_EQ(messagesUntilDone(world), (Messages{"3points 31", "p2WonSet 61", "p2WonGame 91"}));
    expectBackOnTheMainMenu(world.game);
}

}  // namespace
