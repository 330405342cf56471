#include "support/MatchBench.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

namespace {

bool holding(const Robot& robot) { return robot.state == RobotHolding; }

}  // namespace

TEST(RallyTest, ServedDiscCaughtThrownPastTheOpponentScoresFiveForPlayerOne) {
    MatchBench bench;
    bench.hold(2, Up);  // player 2 steps out of the way
    bench.hold(1, Right);
    ASSERT_TRUE(bench.runUntil([&] { return holding(bench.robot1); }, 2000));
    EXPECT_EQ(bench.disc.owner, 1);

    bench.letGo(1, Right);
    bench.run(400);
    EXPECT_TRUE(holding(bench.robot1));
    bench.hold(1, Action1);
    bench.step(33);
    EXPECT_EQ(bench.robot1.state, RobotFree);
    EXPECT_EQ(bench.disc.state, FrisbeeGliding);
    EXPECT_LT(bench.disc.velocityX, -6.0);
    EXPECT_NEAR(bench.disc.velocityY, 0.0, 1e-6);
    bench.letGo(1, Action1);

    ASSERT_TRUE(bench.runUntil([&] { return bench.lastPoints > 0; }, 2000));
    EXPECT_EQ(bench.score, (std::array<int, 3>{0, 5, 0}));
    EXPECT_FALSE(holding(bench.robot2));
}

TEST(RallyTest, PlayerTwoCatchesAThrowAimedAtIt) {
    MatchBench bench(ModelSmall, ModelSmall);
    bench.hold(1, Right);
    ASSERT_TRUE(bench.runUntil([&] { return holding(bench.robot1); }, 2000));
    bench.letGo(1, Right);
    bench.hold(1, Action1);
    ASSERT_TRUE(bench.runUntil([&] { return bench.disc.state == FrisbeeGliding; }, 1000));
    bench.letGo(1, Action1);

    ASSERT_TRUE(bench.runUntil([&] { return holding(bench.robot2); }, 2000));
    EXPECT_EQ(bench.disc.state, FrisbeeHeld);
    EXPECT_EQ(bench.disc.owner, 2);
    EXPECT_EQ(bench.score[1], 0);
    // Player 2's head turned toward the disc as it came in.
    EXPECT_NEAR(bench.robot2.headYaw, 0.0, 1.0);
}

TEST(RallyTest, RandomPlayKeepsEveryoneInsideAndTheDiscInOneHandAtMost) {
    MatchBench bench(ModelSmall, ModelBig);
    std::mt19937 random(20261206);
    std::bernoulli_distribution press(0.3);
    std::uniform_int_distribution<int> stepMs(1, 33);
    int goals = 0;
    for (int i = 0; i < 4000; ++i) {
        if (i % 15 == 0) {
            for (int player : {1, 2}) {
                HeldControls held;
                held.up = press(random);
                held.down = !held.up && press(random);
                held.left = press(random);
                held.right = !held.left && press(random);
                held.action1 = press(random);
                held.action2 = press(random);
                bench.setControls(player, held);
            }
        }
        const int points = bench.step(stepMs(random));
        if (points > 0) {
            ++goals;
            EXPECT_TRUE(points == 2 || points == 3 || points == 5) << points;
        }
        for (const Robot* robot : {&bench.robot1, &bench.robot2}) {
            ASSERT_LE(std::fabs(robot->y), 2.25);
            ASSERT_TRUE(std::isfinite(robot->headYaw));
        }
        ASSERT_TRUE(bench.robot1.x >= 1.0 && bench.robot1.x <= 5.9) << bench.robot1.x;
        ASSERT_TRUE(bench.robot2.x >= -6.0 && bench.robot2.x <= -1.0) << bench.robot2.x;
        ASSERT_LE(std::fabs(bench.disc.y), 2.4);
        if (bench.disc.state != FrisbeeScored) {
            ASSERT_LE(std::fabs(bench.disc.x), 6.5);
        }
        ASSERT_FALSE(holding(bench.robot1) && holding(bench.robot2));
        ASSERT_EQ(bench.disc.state == FrisbeeHeld, holding(bench.robot1) || holding(bench.robot2));
    }
    EXPECT_GT(goals, 0);
    EXPECT_EQ(bench.score[0], 0);
}
