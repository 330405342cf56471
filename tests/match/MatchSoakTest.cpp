#include "match/MatchWorld.h"

#include "menus/MenuPause.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Game time of the run: hours of play, kept within a few seconds of CI time.
constexpr int SOAK_GAME_MS = 3 * 60 * 60 * 1000;

// Every value the rules bound, with its bounds; the first one outside.
testing::AssertionResult withinRanges(const Game& game) {
    const Robot& r1 = game.match.robot1;
    const Robot& r2 = game.match.robot2;
    const Frisbee& disc = game.match.frisbee;
    const struct {
        const char* what;
        double value, low, high;
    } ranges[] = {
        {"clock", double(game.match.timeLeft), 0, SET_TIME_MS},
        // The last goal of a set may overshoot 20 until its message ends.
        {"score 1", double(game.match.score[0]), 0, SET_POINTS + 4},
        {"score 2", double(game.match.score[1]), 0, SET_POINTS + 4},
        {"sets 1", double(game.match.setsWon[0]), 0, SETS_TO_WIN},
        {"sets 2", double(game.match.setsWon[1]), 0, SETS_TO_WIN},
        {"flow", double(game.match.flow), FlowPlaying, FlowNextSet},
        {"robot 1 x", r1.x, 1.0, 6.0},
        {"robot 2 x", r2.x, -6.0, -1.0},
        {"robot 1 y", r1.y, -2.25, 2.25},
        {"robot 2 y", r2.y, -2.25, 2.25},
        {"disc y", disc.y, -2.4, 2.4},
        // A throw is at most about 8.5 units per 500 ms: one 33 ms step past
        // a goal line before the disc is served again.
        {"disc x", disc.x, -7.1, 7.1},
        // A falling disc is caught by the floor test one step after it
        // passes the floor: at most about 0.6 below it.
        {"disc z", disc.z, -6.0, 3.0},
        {"disc owner", double(disc.owner), 0, 2},
        {"message time", game.match.message.shown ? double(game.match.message.remainingMs) : 1.0, 1,
         game.match.message.shown ? double(game.match.message.durationMs) : 1.0},
    };
    for (const auto& range : ranges)
        if (!(range.value >= range.low && range.value <= range.high))
            return testing::AssertionFailure() << range.what << " = " << range.value;
    return testing::AssertionSuccess();
}

TEST(MatchSoakTest, HoursOfRandomPlayStayWithinTheRules) {
    MatchWorld world;
    Game& game = world.game;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> stepMs(1, 33);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> model(1, 2);
    game.startMatch(model(random) + 10 * model(random));

    int goals = 0, matches = 0, pauses = 0;
    long long elapsed = 0;
    while (elapsed < SOAK_GAME_MS) {
        if (game.menu) {
            // Resume a paused match; after a match, start the next one.
            if (game.menu->getTitle() == "Pause") {
                world.keys.releaseAll();
                world.keys.hold(KeyCode::Return);
            } else {
                ++matches;
                game.startMatch(model(random) + 10 * model(random));
                continue;
            }
        } else {
            // Each key changes now and then, so presses last from one step
            // to several seconds; now and then a player pauses.
            for (int player : {1, 2})
                for (ControlKind kind : {Up, Down, Left, Right, Action1, Action2})
                    if (percent(random) < 6) {
                        if (percent(random) < 50)
                            world.keys.hold(kind, player);
                        else
                            world.keys.release(kind, player);
                    }
            world.keys.release(KeyCode::Return);
            if (percent(random) == 0 && percent(random) < 2)
                world.keys.hold(KeyCode::Escape);
            else
                world.keys.release(KeyCode::Escape);
        }
        const bool wasPlaying = !game.menu && !game.match.message.shown;
        const int t = stepMs(random);
        world.loopStep(t);
        elapsed += t;
        if (wasPlaying && game.match.message.shown && game.match.flow == FlowPlaying) ++goals;
        if (wasPlaying && game.menu) ++pauses;
        ASSERT_TRUE(withinRanges(game)) << "after " << elapsed << " ms";
    }
    // The run really played: goals, whole matches and pauses.
    EXPECT_GT(goals, 100);
    EXPECT_GT(matches, 2);
    EXPECT_GT(pauses, 5);
}

}  // namespace
