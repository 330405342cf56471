#include "actors/Frisbee.h"

#include "actors/ActorModels.h"
#include "actors/Robot.h"
#include "match/MatchEvents.h"
#include "support/RecordingGraphics.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

constexpr int STEP = 33;

Frisbee discIn(int state, double x, double y, double z, double velocityX, double velocityY, double velocityZ = 0.0) {
    Frisbee disc(x, y, z, velocityX, velocityY, velocityZ);
    std::tie(disc.state, disc.owner) = std::tuple(state, 1);
    return disc;
}

// Updates until the disc leaves the given state; returns the time that took.
int spentIn(Frisbee& disc, int state) {
    int spent = 0;
    MatchEvents events;
    for (; disc.state == state && spent < 5000; spent += STEP) disc.update(STEP, events);
    return spent;
}

}  // namespace

TEST(FrisbeeTest, ReboundsOffTheSideWallsWithTheirSpinAndScoresPastAGoalLineButNotOnIt) {
    // Moving toward −x the upper wall spins it negative and the lower one positive; toward +x the two
    // swap. Past a goal line it scores 5 inside |y| < 0.6 and 3 outside, seen or not.
    struct Case { double x, y, velocityX, velocityY; int elapsedMs; bool visible, spinBefore, spinAfter; int points; };
    const Case cases[] = {
        {0.0, 2.3, -3.0, 4.0, STEP, true, true, false, 0},  {0.0, -2.3, -3.0, -4.0, STEP, true, false, true, 0},
        {0.0, 2.3, 3.0, 4.0, STEP, true, false, true, 0},   {0.0, -2.3, 3.0, -4.0, STEP, true, true, false, 0},
        {6.4, 0.59, 4.0, 0.0, STEP, true, true, true, 5},   {6.4, 0.6, 4.0, 0.0, STEP, true, true, true, 3},
        {6.4, -0.6, 4.0, 0.0, STEP, true, true, true, 3},   {-6.4, 0.0, -4.0, 0.0, STEP, true, true, true, 5},
        {6.0, 0.0, 1.0, 0.0, 250, true, true, true, 0},     // lands exactly on x = 6.5: still gliding
        {6.4, 0.0, 4.0, 0.0, STEP, false, true, true, 5},
    };
    for (const Case& c : cases) {
        Frisbee disc = discIn(FrisbeeGliding, c.x, c.y, -4.9, c.velocityX, c.velocityY);
        std::tie(disc.visible, disc.spinPositive) = std::tuple(c.visible, c.spinBefore);
        MatchEvents events;
        disc.update(c.elapsedMs, events);
        const double wallY = c.velocityY == 0.0 ? c.y : c.y > 0.0 ? 2.4 : -2.4;
        EXPECT_EQ(std::tuple(disc.state, disc.points, disc.y, disc.velocityY, disc.spinPositive),
                  std::tuple(c.points > 0 ? FrisbeeScored : FrisbeeGliding, c.points, wallY, -c.velocityY, c.spinAfter))
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
    MatchEvents events;
    late.update(STEP, events);
    EXPECT_EQ(std::tuple(late.state, late.points, late.z), std::tuple(int(FrisbeeScored), 5, FLOOR_Z));
}

TEST(FrisbeeTest, ScoredOrServedDiscDropsStillOnTheOtherHalfAndRestsOnTheFloorAboutHalfASecondLater) {
    for (int scorer : {1, 2}) {
        Frisbee disc = discIn(FrisbeeScored, -7.0, 1.0, -4.9, -4.0, 2.0, 1.0);
        std::tie(disc.owner, disc.rotationY) = std::tuple(scorer, 123.0);
        MatchEvents events;
        disc.update(STEP, events);
        EXPECT_EQ(std::tuple(disc.state, disc.owner, disc.rotationY), std::tuple(int(FrisbeeDropping), 0, 0.0));
        EXPECT_EQ((std::array{disc.x, disc.y, disc.z, disc.velocityX, disc.velocityY, disc.velocityZ}),
                  (std::array{scorer == 1 ? -4.0 : 4.0, 0.0, 0.0, 0.0, 0.0, 0.0})) << scorer;
    }

    // A serve clears pending points; the server cannot catch the disc while it falls.
    Frisbee disc = discIn(FrisbeeGliding, 2.0, 1.0, -4.9, 3.0, 1.0);
    disc.points = 3;
    MatchEvents events;
    disc.serve(2, events);
    EXPECT_EQ(std::tuple(disc.state, disc.points, disc.owner), std::tuple(int(FrisbeeDropping), 0, 2));
    const int spent = spentIn(disc, FrisbeeDropping);
    EXPECT_EQ(std::tuple(disc.state, disc.z, disc.velocityZ, disc.owner),
              std::tuple(int(FrisbeeResting), FLOOR_Z, 0.0, 0));
    EXPECT_TRUE(spent > 550 && spent < 700) << spent;
}

TEST(FrisbeeTest, DrawnOnlyWhenVisibleAndNotHeld) {
    RecordingDevice& device = installRecordingDevice();
    WorkingDirectory inside{KORV_GAME_DIR};
    ActorModels models;
    models.load(ModelSmall, ModelSmall);
    Frisbee disc(1.0, 0.5, -4.9, 0.0, 0.0, 0.0);  // held from the start
    struct Case { int state; bool visible, drawn; };
    for (Case c : {Case{FrisbeeHeld, true, false}, {FrisbeeGliding, true, true}, {FrisbeeGliding, false, false}}) {
        std::tie(disc.state, disc.visible) = std::tuple(c.state, c.visible);
        device.clearCalls();
        models.draw(disc);
        EXPECT_EQ(device.count(DeviceCall::Kind::DrawSubset) > 0, c.drawn) << c.state << c.visible;
    }
}
