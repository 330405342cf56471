#include "support/MatchBench.h"

#include <gtest/gtest.h>

#include <array>

TEST(RallyTest, ServedDiscCaughtThrownPastTheOpponentScoresFiveForPlayerOne) {
    MatchBench bench;
    bench.hold(2, Up);  // player 2 steps out of the way
    bench.hold(1, Right);
    ASSERT_TRUE(bench.runUntil([&] { return bench.robot1.state == RobotHolding; }, 2000));
    bench.letGo(1, Right);
    bench.run(400);
    bench.hold(1, Action1);
    bench.step(33);
    EXPECT_EQ(bench.disc.state, FrisbeeGliding);
    EXPECT_NEAR(bench.disc.velocityY, 0.0, 1e-6);
    bench.letGo(1, Action1);

    ASSERT_TRUE(bench.runUntil([&] { return bench.lastPoints > 0; }, 2000));
    EXPECT_EQ(bench.score, (std::array<int, 3>{0, 5, 0}));
}

TEST(RallyTest, PlayerTwoCatchesAThrowAimedAtIt) {
    MatchBench bench(ModelSmall, ModelSmall);
    bench.hold(1, Right);
    ASSERT_TRUE(bench.runUntil([&] { return bench.robot1.state == RobotHolding; }, 2000));
    bench.letGo(1, Right);
    bench.hold(1, Action1);
    ASSERT_TRUE(bench.runUntil([&] { return bench.disc.state == FrisbeeGliding; }, 1000));
    bench.letGo(1, Action1);

    ASSERT_TRUE(bench.runUntil([&] { return bench.robot2.state == RobotHolding; }, 2000));
    EXPECT_EQ(std::tuple(bench.disc.state, bench.disc.owner), std::tuple(int(FrisbeeHeld), 2));
    EXPECT_EQ(bench.score[1], 0);
}
