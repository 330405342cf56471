#include "match/MatchWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Messages = std::vector<std::string>;
using Pair = std::array<int, 2>;

// A match of two big robots at this score and these sets, then a goal by
// the given player (0: the clock runs out instead), and the messages on
// screen one after another until play or a page follows: each message's
// picture and the 33 ms steps it lasted. Both robots must stand on their
// spots after every message.
Messages messagesAfter(MatchWorld& world, Pair score, Pair sets, int scorer, double y = 0.0) {
    Game& game = world.game;
    game.startMatch(11);
    game.score = score;
    game.setsWon = sets;
    game.robot1->x = 3.0;
    game.robot2->y = -2.0;
    if (scorer)
        world.discInFlight(scorer, scorer == 1 ? -6.45 : 6.45, y, scorer == 1 ? -5.0 : 5.0, 0.0);
    else {
        world.discHeldByPlayer1();
        game.timeLeft = 10;
    }
    world.loopStep();
    Messages shown;
    const auto showing = [&] { return game.notification && !game.menu; };
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
        const Robot &r1 = *game.robot1, &r2 = *game.robot2;
        EXPECT_EQ(std::tuple(r1.x, r1.y, r1.state, r2.x, r2.y, r2.state),
                  std::tuple(6.0, 0.0, RobotFree, -6.0, 0.0, RobotFree)) << "after " << name;
    }
    return shown;
}

TEST(NotificationPhaseTest, GoalsAndSetsEndedByTheClockLetPlayGoOn) {
    MatchWorld world;
    Game& game = world.game;
    const int clock = Game::SET_TIME_MS - 33;  // the step of the throw counts
    EXPECT_EQ(messagesAfter(world, {0, 0}, {0, 0}, 2), (Messages{"5points 31"}));
    EXPECT_EQ(game.timeLeft, clock) << "the match stands still under a message";
    world.loopStep();  // served on the half of the player who did not score
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_EQ(game.frisbee->x, 4.0);

    EXPECT_EQ(messagesAfter(world, {18, 12}, {0, 0}, 1, 1.5), (Messages{"3points 31", "p1WonSet 61"}));
    EXPECT_EQ(game.setsWon, (Pair{1, 0}));
    EXPECT_EQ(game.score, (Pair{0, 0}));
    EXPECT_EQ(game.flow, Game::FlowPlaying);
    EXPECT_EQ(game.timeLeft, clock) << "the clock runs on into the next set";

    // At a draw no set is won; served by player 2, the disc drops on player
    // 1's half and only player 1 may catch it before it lands.
    EXPECT_EQ(messagesAfter(world, {7, 7}, {1, 0}, 0), (Messages{"timesup 31", "draw 61"}));
    EXPECT_EQ(game.setsWon, (Pair{1, 0}));
    EXPECT_EQ(game.score, (Pair{0, 0}));
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS);
    EXPECT_EQ(game.flow, Game::FlowNextSet);
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_EQ(game.frisbee->x, 4.0);
    EXPECT_EQ(game.frisbee->owner, 2);
    EXPECT_TRUE(game.frisbee->visible);
}

TEST(NotificationPhaseTest, SecondSetOnPointsWinsTheMatch) {
    MatchWorld world;
    Game& game = world.game;
    // 17 and 3 make exactly the 20 points a set needs; or the clock runs
    // out at 3 to 9.
    for (const auto& [score, scorer] : {std::pair{Pair{5, 17}, 2}, {Pair{3, 9}, 0}}) {
        SCOPED_TRACE(scorer ? "on points" : "on time");
        Game::switchMusic(game.musicMenu, game.musicGame);
        EXPECT_EQ(messagesAfter(world, score, {0 + !scorer, 1}, scorer, 1.0),
                  (Messages{scorer ? "3points 31" : "timesup 31", "p2WonSet 61", "p2WonGame 91"}));
        EXPECT_EQ(game.setsWon[1], 2);
        ASSERT_NE(game.menu, nullptr);
        EXPECT_EQ(game.menu->getTitle(), "Menu");
        EXPECT_EQ(game.notification, nullptr);
        EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));
        EXPECT_FALSE(MatchWorld::isPlaying(game.musicGame));
    }
}

}  // namespace
