#include "match/MatchWorld.h"

#include "menus/MenuPause.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Game time of the run: hours of play, kept within a few seconds of CI time.
constexpr int SOAK_GAME_MS = 3 * 60 * 60 * 1000;

struct Tally {
    int goals = 0;
    int sets = 0;
    int matches = 0;
    int pauses = 0;
};

void expectWithinRanges(const Game& game, long long at) {
    ASSERT_GE(game.timeLeft, 0) << at;
    ASSERT_LE(game.timeLeft, Game::SET_TIME_MS) << at;
    for (int p = 0; p < 2; ++p) {
        // The last goal of a set may overshoot 20 until its message ends.
        ASSERT_GE(game.score[p], 0) << at;
        ASSERT_LT(game.score[p], Game::SET_POINTS + 5) << at;
        ASSERT_GE(game.setsWon[p], 0) << at;
        ASSERT_LE(game.setsWon[p], Game::SETS_TO_WIN) << at;
    }
    ASSERT_GE(game.flow, Game::FlowPlaying) << at;
    ASSERT_LE(game.flow, Game::FlowNextSet) << at;
    const Robot& r1 = *game.robot1;
    const Robot& r2 = *game.robot2;
    ASSERT_GE(r1.x, 1.0) << at;
    ASSERT_LE(r1.x, 6.0) << at;
    ASSERT_GE(r2.x, -6.0) << at;
    ASSERT_LE(r2.x, -1.0) << at;
    for (const Robot* r : {&r1, &r2}) {
        ASSERT_GE(r->y, -2.25) << at;
        ASSERT_LE(r->y, 2.25) << at;
    }
    const Frisbee& disc = *game.frisbee;
    ASSERT_GE(disc.y, -2.4) << at;
    ASSERT_LE(disc.y, 2.4) << at;
    // A throw is at most about 8.5 units per 500 ms: one 33 ms step past a
    // goal line before the disc is served again.
    ASSERT_LT(std::abs(disc.x), 7.1) << at;
    // A falling disc is caught by the floor test one step after it passes
    // the floor: at most about 0.6 below it.
    ASSERT_GE(disc.z, -6.0) << at;
    ASSERT_LE(disc.z, 3.0) << at;
    ASSERT_GE(disc.owner, 0) << at;
    ASSERT_LE(disc.owner, 2) << at;
    if (game.notification) {
        ASSERT_GT(game.notification->remainingMs, 0) << at;
        ASSERT_LE(game.notification->remainingMs, game.notification->durationMs) << at;
    }
}

TEST(MatchSoakTest, HoursOfRandomPlayStayWithinTheRules) {
    MatchWorld world;
    Game& game = world.game;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> stepMs(1, 33);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> model(1, 2);
    game.startMatch(model(random) + 10 * model(random));

    Tally tally;
    int previousSets = 0;
    long long elapsed = 0;
    while (elapsed < SOAK_GAME_MS) {
        if (game.menu) {
            // Resume a paused match; after a match, start the next one.
            if (game.menu->getTitle() == "Pause") {
                for (int player : {1, 2})
                    for (ControlKind kind : {Up, Down, Left, Right, Action1, Action2})
                        world.keys.release(kind, player);
                world.keys.holdReturn();
            } else {
                ++tally.matches;
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
            world.keys.releaseReturn();
            if (percent(random) == 0 && percent(random) < 2)
                world.keys.holdEscape();
            else
                world.keys.releaseEscape();
        }
        const bool wasPlaying = !game.menu && !game.notification;
        const int t = stepMs(random);
        world.loopStep(t);
        elapsed += t;
        if (wasPlaying && game.notification && game.flow == Game::FlowPlaying) ++tally.goals;
        if (wasPlaying && game.menu) ++tally.pauses;
        const int sets = game.setsWon[0] + game.setsWon[1];
        if (sets > previousSets) ++tally.sets;
        previousSets = sets;
        expectWithinRanges(game, elapsed);
        if (HasFatalFailure()) return;
    }
    // The run really played: goals, sets, whole matches and pauses.
    EXPECT_GT(tally.goals, 100);
    EXPECT_GT(tally.sets, 5);
    EXPECT_GT(tally.matches, 2);
    EXPECT_GT(tally.pauses, 5);
    RecordProperty("goals", tally.goals);
    RecordProperty("sets", tally.sets);
    RecordProperty("matches", tally.matches);
}

}  // namespace
