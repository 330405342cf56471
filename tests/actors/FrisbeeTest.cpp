#include "actors/Frisbee.h"

#include "support/RecordingGraphics.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

constexpr int STEP = 33;

Frisbee discIn(int state, double x, double y, double z, double velocityX, double velocityY, double velocityZ = 0.0) {
    Frisbee disc(x, y, z, velocityX, velocityY, velocityZ);
    disc.state = state;
    disc.owner = 1;
    return disc;
}

// Updates until the disc leaves the given state; returns the time that took.
int spentIn(Frisbee& disc, int state) {
    int spent = 0;
    for (; disc.state == state && spent < 5000; spent += STEP) disc.update(STEP);
    return spent;
}

}  // namespace

TEST(FrisbeeTest, ReboundsOffTheSideWallsWithTheSpinOfTheWall) {
    struct Case { double y, velocityX, velocityY; bool spinBefore, spinAfter; };
    // Moving toward −x the upper wall spins it negative and the lower one positive; toward +x the two swap.
    const Case cases[] = {{2.3, -3.0, 4.0, true, false}, {-2.3, -3.0, -4.0, false, true},
                          {2.3, 3.0, 4.0, false, true},  {-2.3, 3.0, -4.0, true, false}};
    for (const Case& c : cases) {
        Frisbee disc = discIn(FrisbeeGliding, 0.0, c.y, -4.9, c.velocityX, c.velocityY);
        disc.spinPositive = c.spinBefore;
        disc.update(STEP);
        EXPECT_EQ(std::tuple(disc.y, disc.velocityY, disc.spinPositive),
                  std::tuple(c.y > 0.0 ? 2.4 : -2.4, -c.velocityY, c.spinAfter)) << &c - cases;
    }
}

TEST(FrisbeeTest, GoalLineCentreZoneIsStrictAndTheLineItselfIsNoGoal) {
    struct Case { double x, y, velocityX; int elapsedMs; bool visible; int points; };  // points 0: still gliding
    const Case cases[] = {
        {6.4, 0.59, 4.0, STEP, true, 5},   {6.4, 0.6, 4.0, STEP, true, 3},
        {6.4, -0.6, 4.0, STEP, true, 3},   {-6.4, 0.0, -4.0, STEP, true, 5},
        {6.0, 0.0, 1.0, 250, true, 0},     // lands exactly on x = 6.5
        {6.4, 0.0, 4.0, STEP, false, 5},   // unseen, it still scores
    };
    for (const Case& c : cases) {
        Frisbee disc = discIn(FrisbeeGliding, c.x, c.y, -4.9, c.velocityX, 0.0);
        disc.visible = c.visible;
        disc.update(c.elapsedMs);
        EXPECT_EQ(std::tuple(disc.state, disc.points), std::tuple(c.points > 0 ? FrisbeeScored : FrisbeeGliding, c.points))
            << &c - cases;
    }
}

TEST(FrisbeeTest, LobLandsAboutOneAndAHalfSecondsLaterForTwoPointsUnlessItSlidesOverAGoalLine) {
    Frisbee disc = discIn(FrisbeeLobbed, 0.0, 0.0, -4.9, 0.5, 0.0, 10.0);
    const int spent = spentIn(disc, FrisbeeLobbed);
    EXPECT_EQ(std::tuple(disc.state, disc.points, disc.owner, disc.z, disc.velocityZ),
              std::tuple(int(FrisbeeScored), 2, 1, FLOOR_Z, 0.0));
    EXPECT_TRUE(spent > 1350 && spent < 1600) << spent;

    Frisbee late = discIn(FrisbeeLobbed, 6.45, 0.0, -5.31, 4.0, 0.0, -3.0);
    late.update(STEP);
    EXPECT_EQ(std::tuple(late.state, late.points, late.z), std::tuple(int(FrisbeeScored), 5, FLOOR_Z));
}

TEST(FrisbeeTest, ScoredOrServedDiscDropsStillOnTheOtherHalfAndRestsOnTheFloorAboutHalfASecondLater) {
    for (int scorer : {1, 2}) {
        Frisbee disc = discIn(FrisbeeScored, -7.0, 1.0, -4.9, -4.0, 2.0, 1.0);
        disc.owner = scorer;
        disc.rotationY = 123.0;
        disc.update(STEP);
        EXPECT_EQ(std::tuple(disc.state, disc.owner, disc.rotationY), std::tuple(int(FrisbeeDropping), 0, 0.0));
        EXPECT_EQ((std::array{disc.x, disc.y, disc.z, disc.velocityX, disc.velocityY, disc.velocityZ}),
                  (std::array{scorer == 1 ? -4.0 : 4.0, 0.0, 0.0, 0.0, 0.0, 0.0})) << scorer;
    }

    // A serve clears pending points; the server cannot catch the disc while it falls.
    Frisbee disc = discIn(FrisbeeGliding, 2.0, 1.0, -4.9, 3.0, 1.0);
    disc.points = 3;
    disc.serve(2);
    EXPECT_EQ(std::tuple(disc.state, disc.points, disc.owner), std::tuple(int(FrisbeeDropping), 0, 2));
    const int spent = spentIn(disc, FrisbeeDropping);
    EXPECT_EQ(std::tuple(disc.state, disc.z, disc.owner), std::tuple(int(FrisbeeResting), FLOOR_Z, 0));
    EXPECT_TRUE(spent > 550 && spent < 700) << spent;
    disc.update(STEP);
    EXPECT_EQ(std::tuple(disc.state, disc.z), std::tuple(int(FrisbeeResting), FLOOR_Z));
}

TEST(FrisbeeTest, DrawnOnlyWhenVisibleAndNotHeld) {
    RecordingDevice& device = installRecordingDevice();
    WorkingDirectory inside{KORV_GAME_DIR};
    Frisbee disc(1.0, 0.5, -4.9, 0.0, 0.0, 0.0);  // held from the start
    struct Case { int state; bool visible, drawn; };
    for (Case c : {Case{FrisbeeHeld, true, false}, {FrisbeeGliding, true, true}, {FrisbeeGliding, false, false},
                   {FrisbeeResting, true, true}}) {
        std::tie(disc.state, disc.visible) = std::tuple(c.state, c.visible);
        device.clearCalls();
        disc.draw();
        EXPECT_EQ(device.count(DeviceCall::Kind::DrawSubset) > 0, c.drawn) << c.state << c.visible;
    }
}
