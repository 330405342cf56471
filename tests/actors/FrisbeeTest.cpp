#include "actors/Frisbee.h"

#include <gtest/gtest.h>

namespace {

constexpr int STEP = 33;

// A disc flying flat at the usual release height.
Frisbee glidingDisc(double x, double y, double velocityX, double velocityY) {
    Frisbee disc(x, y, -4.9, velocityX, velocityY, 0.0);
    disc.state = FrisbeeGliding;
    disc.owner = 1;
    return disc;
}

// Updates in steps of STEP until the state changes away from `from`; returns
// the game time spent, or -1 after 5 s.
int msUntilStateLeaves(Frisbee& disc, int from) {
    for (int spent = STEP; spent <= 5000; spent += STEP) {
        disc.update(STEP);
        if (disc.state != from) return spent;
    }
    return -1;
}

}  // namespace

TEST(FrisbeeTest, StartsHeldVisibleFlatAndOwnedByNobody) {
    Frisbee disc(4.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(disc.state, FrisbeeHeld);
    EXPECT_TRUE(disc.visible);
    EXPECT_EQ(disc.owner, 0);
    EXPECT_EQ(disc.points, 0);
    EXPECT_EQ(disc.rotationX, 90.0);
    EXPECT_EQ(disc.rotationZ, 90.0);
    EXPECT_EQ(disc.scaleX, 0.2);
    EXPECT_NE(disc.engageSound, nullptr);
}

TEST(FrisbeeTest, ReboundsOffTheSideWallsWithTheSpinOfTheWall) {
    // Upper wall, moving toward −x: the spin turns negative.
    Frisbee up = glidingDisc(0.0, 2.3, -3.0, 4.0);
    up.spinPositive = true;
    up.update(STEP);
    EXPECT_EQ(up.y, 2.4);
    EXPECT_EQ(up.velocityY, -4.0);
    EXPECT_FALSE(up.spinPositive);
    EXPECT_DOUBLE_EQ(up.rotationY, -STEP * 7.0 / 5.0);

    // Lower wall, same direction: the spin turns positive.
    Frisbee down = glidingDisc(0.0, -2.3, -3.0, -4.0);
    down.update(STEP);
    EXPECT_EQ(down.y, -2.4);
    EXPECT_EQ(down.velocityY, 4.0);
    EXPECT_TRUE(down.spinPositive);
    EXPECT_DOUBLE_EQ(down.rotationY, STEP * 7.0 / 5.0);

    // Toward +x the two walls swap.
    Frisbee upRight = glidingDisc(0.0, 2.3, 3.0, 4.0);
    upRight.update(STEP);
    EXPECT_TRUE(upRight.spinPositive);
    Frisbee downRight = glidingDisc(0.0, -2.3, 3.0, -4.0);
    downRight.spinPositive = true;
    downRight.update(STEP);
    EXPECT_FALSE(downRight.spinPositive);
}

TEST(FrisbeeTest, GoalLineCentreZoneIsStrict) {
    struct Case {
        double x, y, velocityX;
        int points;
    };
    for (const Case c : {Case{6.4, 0.59, 4.0, 5}, Case{6.4, 0.6, 4.0, 3}, Case{6.4, -0.6, 4.0, 3},
                         Case{6.4, -0.59, 4.0, 5}, Case{-6.4, 0.0, -4.0, 5},
                         Case{-6.4, 2.0, -4.0, 3}}) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << " y " << c.y);
        Frisbee disc = glidingDisc(c.x, c.y, c.velocityX, 0.0);
        disc.update(STEP);
        EXPECT_EQ(disc.state, FrisbeeScored);
        EXPECT_EQ(disc.points, c.points);
        EXPECT_EQ(disc.velocityX, c.velocityX);  // left as it is until the serve
    }
}

TEST(FrisbeeTest, ExactlyOnTheGoalLineHasNotScored) {
    Frisbee disc = glidingDisc(6.0, 0.0, 1.0, 0.0);
    disc.update(250);
    EXPECT_EQ(disc.x, 6.5);
    EXPECT_EQ(disc.state, FrisbeeGliding);
    EXPECT_EQ(disc.points, 0);
}

TEST(FrisbeeTest, LobLandsAboutOneAndAHalfSecondsLaterForTwoPoints) {
    Frisbee disc(0.0, 0.0, -4.9, 0.5, 0.0, 10.0);
    disc.state = FrisbeeLobbed;
    disc.owner = 2;
    double highest = disc.z;
    int spent = 0;
    while (disc.state == FrisbeeLobbed && spent < 5000) {
        disc.update(STEP);
        spent += STEP;
        if (disc.z > highest) highest = disc.z;
    }
    EXPECT_EQ(disc.state, FrisbeeScored);
    EXPECT_EQ(disc.points, 2);
    EXPECT_EQ(disc.owner, 2);
    EXPECT_EQ(disc.z, FLOOR_Z);
    EXPECT_EQ(disc.velocityZ, 0.0);
    EXPECT_GT(spent, 1350);
    EXPECT_LT(spent, 1600);
    // Gravity acts before each move: in 33 ms steps the apex is 6.8 above
    // the release height, a little under the 10² / (2 × 7) of a smooth flight.
    EXPECT_NEAR(highest - -4.9, 6.82, 0.01);
    // It still slid on during the landing update.
    EXPECT_NEAR(disc.x, 0.5 * spent / 500.0, 1e-9);
}

TEST(FrisbeeTest, LobCarriedOverAGoalLineInItsLandingUpdateScoresTheGoal) {
    Frisbee disc(6.45, 0.0, -5.31, 4.0, 0.0, -3.0);
    disc.state = FrisbeeLobbed;
    disc.owner = 2;
    disc.update(STEP);
    EXPECT_EQ(disc.state, FrisbeeScored);
    EXPECT_EQ(disc.points, 5);
    EXPECT_EQ(disc.z, FLOOR_Z);
}

TEST(FrisbeeTest, ScoredDiscIsServedOnTheHalfOfThePlayerWhoDidNotScore) {
    Frisbee disc = glidingDisc(-7.0, 1.0, -4.0, 2.0);
    disc.state = FrisbeeScored;
    disc.owner = 2;
    disc.points = 5;
    disc.rotationY = 123.0;
    disc.update(STEP);
    EXPECT_EQ(disc.state, FrisbeeDropping);
    EXPECT_EQ(disc.owner, 0);
    EXPECT_EQ(disc.x, 4.0);
    EXPECT_EQ(disc.y, 0.0);
    EXPECT_EQ(disc.z, 0.0);
    EXPECT_EQ(disc.velocityX, 0.0);
    EXPECT_EQ(disc.velocityY, 0.0);
    EXPECT_EQ(disc.velocityZ, 0.0);
    EXPECT_EQ(disc.rotationY, 0.0);

    disc.state = FrisbeeScored;
    disc.owner = 1;
    disc.update(STEP);
    EXPECT_EQ(disc.x, -4.0);
}

TEST(FrisbeeTest, DroppedDiscRestsOnTheFloorAboutHalfASecondLaterOwnedByNobody) {
    Frisbee disc(4.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    disc.serve(2);
    EXPECT_EQ(disc.x, 4.0);
    EXPECT_EQ(disc.owner, 2);  // the server cannot catch it while it falls
    const int spent = msUntilStateLeaves(disc, FrisbeeDropping);
    EXPECT_EQ(disc.state, FrisbeeResting);
    EXPECT_EQ(disc.z, FLOOR_Z);
    EXPECT_EQ(disc.owner, 0);
    EXPECT_GT(spent, 550);
    EXPECT_LT(spent, 700);
    disc.update(STEP);
    EXPECT_EQ(disc.z, FLOOR_Z);
    EXPECT_EQ(disc.state, FrisbeeResting);
}

TEST(FrisbeeTest, ServeClearsPendingPointsAndMotion) {
    Frisbee disc = glidingDisc(2.0, 1.0, 3.0, 1.0);
    disc.points = 3;
    disc.serve(1);
    EXPECT_EQ(disc.state, FrisbeeDropping);
    EXPECT_EQ(disc.points, 0);
    EXPECT_EQ(disc.owner, 1);
    EXPECT_EQ(disc.x, -4.0);
    EXPECT_EQ(disc.y, 0.0);
    EXPECT_EQ(disc.velocityX, 0.0);
}

TEST(FrisbeeTest, HeldDiscNeitherMovesSpinsNorScores) {
    Frisbee disc(7.0, 3.0, -4.9, 2.0, 2.0, 1.0);
    disc.state = FrisbeeHeld;
    disc.rotationY = 10.0;
    disc.update(STEP);
    EXPECT_EQ(disc.x, 7.0);
    EXPECT_EQ(disc.y, 3.0);
    EXPECT_EQ(disc.z, -4.9);
    EXPECT_EQ(disc.velocityY, 2.0);
    EXPECT_EQ(disc.rotationY, 10.0);
    EXPECT_EQ(disc.state, FrisbeeHeld);
    EXPECT_EQ(disc.points, 0);
}

TEST(FrisbeeTest, InvisibleDiscStillMovesAndScores) {
    Frisbee disc = glidingDisc(6.4, 0.0, 4.0, 0.0);
    disc.visible = false;
    disc.update(STEP);
    EXPECT_EQ(disc.state, FrisbeeScored);
    EXPECT_EQ(disc.points, 5);
}
