#include "actors/Frisbee.h"

#include "support/RecordingGraphics.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

constexpr int STEP = 33;

// A disc flying flat at the usual release height.
Frisbee glidingDisc(double x, double y, double velocityX, double velocityY) {
    Frisbee disc(x, y, -4.9, velocityX, velocityY, 0.0);
    disc.state = FrisbeeGliding;
    disc.owner = 1;
    return disc;
}

// Where the disc is and how it moves: x, y, z, then the velocity.
using Motion = std::array<double, 6>;
Motion motion(const Frisbee& disc) {
    return {disc.x, disc.y, disc.z, disc.velocityX, disc.velocityY, disc.velocityZ};
}

}  // namespace

TEST(FrisbeeTest, ReboundsOffTheSideWallsWithTheSpinOfTheWall) {
    struct Case { double y, velocityX, velocityY; bool spinBefore, spinAfter; };
    // Moving toward −x the upper wall spins it negative and the lower one
    // positive; toward +x the two swap.
    const Case cases[] = {{2.3, -3.0, 4.0, true, false},
                          {-2.3, -3.0, -4.0, false, true},
                          {2.3, 3.0, 4.0, false, true},
                          {-2.3, 3.0, -4.0, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Frisbee disc = glidingDisc(0.0, c.y, c.velocityX, c.velocityY);
        disc.spinPositive = c.spinBefore;
        disc.update(STEP);
        EXPECT_EQ(disc.y, c.y > 0.0 ? 2.4 : -2.4);
        EXPECT_EQ(disc.velocityY, -c.velocityY);
        EXPECT_EQ(disc.spinPositive, c.spinAfter);
    }
}

TEST(FrisbeeTest, GoalLineCentreZoneIsStrictAndTheLineItselfIsNoGoal) {
    struct Case {
        double x, y, velocityX;
        int elapsedMs;
        bool visible;
        int points;  // 0: still gliding
    };
    const Case cases[] = {
        {6.4, 0.59, 4.0, STEP, true, 5},   {6.4, 0.6, 4.0, STEP, true, 3},
        {6.4, -0.6, 4.0, STEP, true, 3},   {-6.4, 0.0, -4.0, STEP, true, 5},
        {6.0, 0.0, 1.0, 250, true, 0},     // lands exactly on x = 6.5
        {6.4, 0.0, 4.0, STEP, false, 5},   // unseen, it still scores
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Frisbee disc = glidingDisc(c.x, c.y, c.velocityX, 0.0);
        disc.visible = c.visible;
        disc.update(c.elapsedMs);
        EXPECT_EQ(std::tuple(disc.state, disc.points), std::tuple(c.points > 0 ? FrisbeeScored : FrisbeeGliding, c.points));
    }
}

TEST(FrisbeeTest, LobLandsAboutOneAndAHalfSecondsLaterForTwoPoints) {
    Frisbee disc(0.0, 0.0, -4.9, 0.5, 0.0, 10.0);
    disc.state = FrisbeeLobbed;
    disc.owner = 2;
    int spent = 0;
    for (; disc.state == FrisbeeLobbed && spent < 5000; spent += STEP) disc.update(STEP);
    EXPECT_EQ(std::tuple(disc.state, disc.points, disc.owner), std::tuple(int(FrisbeeScored), 2, 2));
    EXPECT_EQ(std::tuple(disc.z, disc.velocityZ), std::tuple(FLOOR_Z, 0.0));
    EXPECT_GT(spent, 1350);
    EXPECT_LT(spent, 1600);

    // Carried over a goal line in that update, it scores the goal instead.
    Frisbee late(6.45, 0.0, -5.31, 4.0, 0.0, -3.0);
    late.state = FrisbeeLobbed;
    late.update(STEP);
    EXPECT_EQ(std::tuple(late.state, late.points, late.z), std::tuple(int(FrisbeeScored), 5, FLOOR_Z));
}

TEST(FrisbeeTest, ScoredDiscIsServedStillOnTheHalfOfThePlayerWhoDidNotScore) {
    for (int scorer : {1, 2}) {
        SCOPED_TRACE(scorer);
        Frisbee disc(-7.0, 1.0, -4.9, -4.0, 2.0, 1.0);
        disc.state = FrisbeeScored;
        disc.owner = scorer;
        disc.rotationY = 123.0;
        disc.update(STEP);
        EXPECT_EQ(std::tuple(disc.state, disc.owner), std::tuple(int(FrisbeeDropping), 0));
        EXPECT_EQ(motion(disc), (Motion{scorer == 1 ? -4.0 : 4.0, 0.0, 0.0, 0.0, 0.0, 0.0}));
        EXPECT_EQ(disc.rotationY, 0.0);
    }
}

TEST(FrisbeeTest, ServedDiscClearsPendingPointsAndRestsOnTheFloorAboutHalfASecondLater) {
    Frisbee disc = glidingDisc(2.0, 1.0, 3.0, 1.0);
    disc.points = 3;
    disc.serve(2);
    EXPECT_EQ(std::tuple(disc.state, disc.points), std::tuple(int(FrisbeeDropping), 0));
    EXPECT_EQ(disc.owner, 2);  // the server cannot catch it while it falls

    int spent = 0;
    for (; disc.state == FrisbeeDropping && spent < 5000; spent += STEP) disc.update(STEP);
    EXPECT_EQ(std::tuple(disc.state, disc.z, disc.owner), std::tuple(int(FrisbeeResting), FLOOR_Z, 0));
    EXPECT_GT(spent, 550);
    EXPECT_LT(spent, 700);
    disc.update(STEP);
    EXPECT_EQ(std::tuple(disc.state, disc.z), std::tuple(int(FrisbeeResting), FLOOR_Z));
}

TEST(FrisbeeTest, DrawnOnlyWhenVisibleAndNotHeld) {
    RecordingDevice& device = installRecordingDevice();
    WorkingDirectory inside{KORV_GAME_DIR};
    Frisbee disc(1.0, 0.5, -4.9, 0.0, 0.0, 0.0);
    const auto draws = [&] {
        device.clearCalls();
        disc.draw();
        return device.count(DeviceCall::Kind::DrawSubset);
    };
    EXPECT_EQ(draws(), 0u);  // held from the start
    disc.state = FrisbeeGliding;
    EXPECT_GT(draws(), 0u);
    disc.visible = false;
    EXPECT_EQ(draws(), 0u);
    disc.visible = true;
    disc.state = FrisbeeResting;
    EXPECT_GT(draws(), 0u);
}
