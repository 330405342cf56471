#include "actors/Robot.h"

#include "actors/Frisbee.h"
#include "assets/MeshManager.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "platform/MeshBuffer.h"
#include "platform/RecordingDevice.h"
#include "shell/GraphicsContext.h"
#include "support/WorkingDirectory.h"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int STEP = 33;
const double SMALL_SPEED = 1.35f;  // the small robot's speed, as the robot stores it

class RobotTest : public testing::Test {
protected:
    void set(int player, ControlKind kind, int value = Active) {
        input.controls[controlIndex(kind, player)] = value;
    }
    int control(int player, ControlKind kind) const {
        return input.controls[controlIndex(kind, player)];
    }
    void letGoAll() { input.controls.fill(Released); }

    // A robot holding the disc, as a catch leaves it.
    static void giveDisc(Robot& robot, double holdTime = HOLD_TIME_MS) {
        robot.state = RobotHolding;
        robot.holdTime = holdTime;
    }

    InputManager& input = InputManager::instance();
};

Frisbee discAt(double x, double y, double z, int state) {
    Frisbee disc(x, y, z, 0.0, 0.0, 0.0);
    disc.state = state;
    return disc;
}

double degrees(double x, double y) { return std::atan2(y, x) * 180.0 / M_PI; }

}  // namespace

TEST_F(RobotTest, PlayersStartOnTheirSpotsFacingEachOther) {
    Robot one(1, ModelSmall, 6.0, 0.0);
    Robot two(2, ModelBig, -6.0, 0.0);
    EXPECT_EQ(one.x, 6.0);
    EXPECT_EQ(one.y, 0.0);
    EXPECT_EQ(one.z, -5.0);
    EXPECT_EQ(one.heading, 180.0);
    EXPECT_EQ(two.x, -6.0);
    EXPECT_EQ(two.heading, 0.0);
    EXPECT_EQ(one.state, RobotFree);
    EXPECT_EQ(one.scaleY, 0.3);

    EXPECT_EQ(one.speed, 1.35f);
    EXPECT_EQ(one.throwStrength, 1.0f);
    EXPECT_EQ(one.reachX, 0.5);
    EXPECT_EQ(one.reachY, 0.5);
    EXPECT_EQ(one.reachHeight, 2.0);
    EXPECT_EQ(two.speed, 1.0f);
    EXPECT_EQ(two.throwStrength, 1.2f);
    EXPECT_EQ(two.reachX, 0.7);
    EXPECT_EQ(two.reachHeight, 2.2);
}

TEST_F(RobotTest, RobotsShareMeshesByModelAndSoundsAltogether) {
    Robot smallOne(1, ModelSmall, 6.0, 0.0);
    Robot smallTwo(2, ModelSmall, -6.0, 0.0);
    Robot big(2, ModelBig, -6.0, 0.0);
    EXPECT_EQ(smallOne.headMesh, smallTwo.headMesh);
    EXPECT_EQ(smallOne.bodyMesh, smallTwo.bodyMesh);
    EXPECT_EQ(smallOne.mesh, smallTwo.mesh);
    EXPECT_NE(smallOne.headMesh, big.headMesh);
    EXPECT_NE(smallOne.headMesh, smallOne.bodyMesh);
    EXPECT_EQ(smallOne.moveSound, big.moveSound);
    EXPECT_EQ(smallOne.moveSound->sourceCount, 2);
    EXPECT_EQ(smallOne.catchSound->sourceCount, 1);
}

TEST_F(RobotTest, UnknownModelBuildsASmallRobot) {
    Robot small(1, ModelSmall, 6.0, 0.0);
    for (int model : {2, -1, 1000}) {
        Robot odd(1, model, 6.0, 0.0);
        EXPECT_EQ(odd.model, ModelSmall);
        EXPECT_EQ(odd.speed, 1.35f);
        EXPECT_EQ(odd.reachX, 0.5);
        EXPECT_EQ(odd.headMesh, small.headMesh);
        EXPECT_EQ(odd.mesh, small.mesh);
    }
}

TEST_F(RobotTest, DirectionsSetVelocityAndTurnTargetForEitherPlayer) {
    struct Case {
        bool up, down, left, right;
        double velocityX, velocityY;  // in units of speed
        double turn1, turn2;
    };
    const Case cases[] = {
        {false, false, false, false, 0.0, 0.0, 0.0, 0.0},
        {true, false, false, false, 0.0, 1.6, -90.0, 90.0},
        {false, true, false, false, 0.0, -1.6, 90.0, -90.0},
        {false, false, true, false, 1.6, 0.0, 0.0, 0.0},
        {false, false, false, true, -1.6, 0.0, 0.0, 0.0},
        {true, false, true, false, 1.2, 1.2, 45.0, 45.0},
        {true, false, false, true, -1.2, 1.2, -45.0, -45.0},
        {false, true, true, false, 1.2, -1.2, -45.0, -45.0},
        {false, true, false, true, -1.2, -1.2, 45.0, 45.0},
    };
    for (const Case& c : cases) {
        for (int player : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "player " << player << " up " << c.up << " down "
                                            << c.down << " left " << c.left << " right " << c.right);
            letGoAll();
            set(player, Up, c.up ? Active : Released);
            set(player, Down, c.down ? Active : Released);
            set(player, Left, c.left ? Active : Released);
            set(player, Right, c.right ? Active : Released);
            Robot robot(player, ModelSmall, player == 1 ? 3.0 : -3.0, 0.0);
            robot.update(STEP);
            EXPECT_EQ(robot.velocityX, c.velocityX * SMALL_SPEED);
            EXPECT_EQ(robot.velocityY, c.velocityY * SMALL_SPEED);
            EXPECT_EQ(robot.turnTarget, player == 1 ? c.turn1 : c.turn2);
            EXPECT_EQ(robot.state, RobotFree);
            EXPECT_DOUBLE_EQ(robot.y, c.velocityY * SMALL_SPEED * STEP / 500.0);
        }
    }
}

TEST_F(RobotTest, MaskedAndConsumedDirectionsAreNotHeld) {
    set(1, Up, Masked);
    set(1, Left, Consumed);
    Robot robot(1, ModelBig, 3.0, 0.0);
    robot.update(STEP);
    EXPECT_EQ(robot.velocityX, 0.0);
    EXPECT_EQ(robot.velocityY, 0.0);
}

TEST_F(RobotTest, DashTriplesTheBigRobotsWalkAndIsFasterStillForTheSmallOne) {
    set(1, Up);
    set(1, Action1);
    Robot big(1, ModelBig, 3.0, 0.0);
    big.update(STEP);
    EXPECT_EQ(big.state, RobotDashing);
    EXPECT_DOUBLE_EQ(big.velocityY, 4.8);
    EXPECT_EQ(control(1, Action1), Active);  // not used up by the start of a dash

    Robot small(1, ModelSmall, 3.0, 0.0);
    small.update(STEP);
    EXPECT_NEAR(small.velocityY, 2.16 * 3.0 / std::sqrt(1.35), 1e-6);
    EXPECT_EQ(small.velocityY, 1.6 * SMALL_SPEED * (3.0 / std::sqrt(1.35f)));
}

TEST_F(RobotTest, StandingStillDoesNotDash) {
    set(2, Action1);
    Robot robot(2, ModelBig, -3.0, 0.0);
    robot.update(STEP);
    EXPECT_EQ(robot.state, RobotFree);
    EXPECT_EQ(control(2, Action1), Active);
}

TEST_F(RobotTest, DashSlidesToAStopThenWantsTheButtonLetGo) {
    set(2, Left);
    set(2, Action1);
    Robot robot(2, ModelBig, -5.5, 0.0);
    robot.update(STEP);
    ASSERT_EQ(robot.state, RobotDashing);
    // Steering does nothing while dashing.
    set(2, Left, Released);
    set(2, Up);
    double previous = robot.velocityX;
    int updates = 0;
    while (robot.state == RobotDashing && updates < 100) {
        robot.update(STEP);
        ++updates;
        EXPECT_EQ(robot.velocityY, 0.0);
        EXPECT_LT(robot.velocityX, previous);
        previous = robot.velocityX;
    }
    EXPECT_EQ(robot.state, RobotFree);
    EXPECT_EQ(robot.velocityX, 0.0);
    EXPECT_EQ(updates, 18);  // 4.8 loses 0.264 per update and stops below 0.5
    EXPECT_EQ(control(2, Action1), Consumed);
    EXPECT_EQ(KeyboardState::instance().states[controlIndex(Action1, 2)], Consumed);

    // Still held: it walks but does not dash again.
    robot.update(STEP);
    EXPECT_EQ(robot.state, RobotFree);
    EXPECT_EQ(robot.velocityY, 1.6);
}

TEST_F(RobotTest, FrictionStopsSlowComponentsAndSlowsTheOthers) {
    Robot robot(1, ModelBig, 3.0, 0.0);
    giveDisc(robot);
    robot.velocityX = 0.49;
    robot.velocityY = -0.6;
    robot.update(STEP);
    EXPECT_EQ(robot.velocityX, 0.0);
    EXPECT_DOUBLE_EQ(robot.velocityY, -0.6 + 4.0 * STEP / 500.0);
    robot.velocityX = 0.5;
    robot.velocityY = -0.5;
    robot.update(STEP);
    EXPECT_DOUBLE_EQ(robot.velocityX, 0.5 - 4.0 * STEP / 500.0);
    EXPECT_DOUBLE_EQ(robot.velocityY, -0.5 + 4.0 * STEP / 500.0);
    EXPECT_EQ(robot.state, RobotHolding);  // holding is not ended by a stop
}

TEST_F(RobotTest, NoThrowInTheFirst300MsAfterACatch) {
    set(1, Action1);
    Robot robot(1, ModelBig, 3.0, 0.0);
    giveDisc(robot);
    for (int i = 0; i < 10; ++i) {  // holdTime 4000 down to 3703 at the start of each
        robot.update(STEP);
        EXPECT_EQ(robot.throwVelocityX, 0.0);
        EXPECT_EQ(control(1, Action1), Active);
    }
    robot.update(STEP);  // holdTime 3670 < 3700
    const double power = (3670.0 / 1000.0 + 1.0) * 1.25 * 1.2f;
    EXPECT_NEAR(robot.throwVelocityX, -power, 1e-6);
    EXPECT_NEAR(robot.throwVelocityY, 0.0, 1e-6);
    EXPECT_EQ(robot.throwVelocityZ, 0.0);
    EXPECT_EQ(control(1, Action1), Consumed);
}

TEST_F(RobotTest, HeldDiscIsThrownStraightAheadByForceAfterFourSeconds) {
    for (int player : {1, 2}) {
        letGoAll();
        Robot robot(player, ModelSmall, player == 1 ? 3.0 : -3.0, 0.0);
        giveDisc(robot);
        int spent = 0;
        while (robot.throwVelocityX == 0.0 && spent < 6000) {
            robot.update(STEP);
            spent += STEP;
        }
        // 4000 ms run out during the 122nd update; the 123rd throws.
        EXPECT_EQ(spent, 123 * STEP);
        EXPECT_NEAR(robot.throwVelocityX, player == 1 ? -1.25 : 1.25, 1e-6);
        EXPECT_NEAR(robot.throwVelocityY, 0.0, 1e-6);
        EXPECT_EQ(robot.holdTime, 0.0);
    }
}

TEST_F(RobotTest, EarlyThrowOfTheBigRobotIsStrongAndAimed) {
    set(1, Up);
    set(1, Action1);
    Robot robot(1, ModelBig, 3.0, 0.0);
    giveDisc(robot, 3699.0);
    robot.update(STEP);
    const double speed = std::hypot(robot.throwVelocityX, robot.throwVelocityY);
    EXPECT_NEAR(speed, 7.05, 0.005);
    EXPECT_NEAR(degrees(robot.throwVelocityX, robot.throwVelocityY), 140.0, 1e-5);
    EXPECT_NEAR(robot.throwVelocityX, -5.40, 0.01);
    EXPECT_NEAR(robot.throwVelocityY, 4.53, 0.01);
}

TEST_F(RobotTest, ThrowAnglesFollowTheDirectionsHeld) {
    struct Case {
        bool up, down, left, right;
        double angle1, angle2;
    };
    const Case cases[] = {
        {true, false, true, false, 120.0, 20.0},   {true, false, false, false, 140.0, 40.0},
        {true, false, false, true, 160.0, 60.0},   {false, false, false, false, 180.0, 0.0},
        {false, false, true, false, 180.0, 0.0},   {false, true, true, false, -120.0, -20.0},
        {false, true, false, false, -140.0, -40.0}, {false, true, false, true, -160.0, -60.0},
    };
    for (const Case& c : cases) {
        for (int player : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "player " << player << " up " << c.up << " down "
                                            << c.down << " left " << c.left << " right " << c.right);
            letGoAll();
            set(player, Up, c.up ? Active : Released);
            set(player, Down, c.down ? Active : Released);
            set(player, Left, c.left ? Active : Released);
            set(player, Right, c.right ? Active : Released);
            set(player, Action1);
            Robot robot(player, ModelSmall, player == 1 ? 3.0 : -3.0, 0.0);
            giveDisc(robot, 2000.0);
            robot.update(STEP);
            double angle = degrees(robot.throwVelocityX, robot.throwVelocityY);
            const double expected = player == 1 ? c.angle1 : c.angle2;
            if (expected == 180.0 && angle < 0.0) angle += 360.0;
            EXPECT_NEAR(angle, expected, 1e-5);
            EXPECT_NEAR(std::hypot(robot.throwVelocityX, robot.throwVelocityY), 3.75, 1e-6);
            EXPECT_EQ(robot.velocityX, 0.0);  // holding: no steering
        }
    }
}

TEST_F(RobotTest, LobGoesUpFartherFromTheCentreAndUsesBothButtons) {
    set(2, Action1);
    set(2, Action2);
    Robot robot(2, ModelBig, -6.0, 0.0);
    giveDisc(robot, 3000.0);
    robot.update(STEP);
    EXPECT_EQ(robot.throwVelocityZ, 10.0);
    EXPECT_DOUBLE_EQ(robot.throwVelocityX, 3.5);  // (3000 / 2000 + 2) × (6 + 1) / 7
    EXPECT_EQ(robot.throwVelocityY, 0.0);
    EXPECT_EQ(control(2, Action1), Consumed);
    EXPECT_EQ(control(2, Action2), Consumed);

    letGoAll();
    set(1, Action2);
    set(1, Up);
    Robot near(1, ModelSmall, 1.8, 0.5);
    giveDisc(near, 1000.0);
    near.update(STEP);
    EXPECT_NEAR(degrees(near.throwVelocityX, near.throwVelocityY), 165.0, 1e-5);
    EXPECT_NEAR(std::hypot(near.throwVelocityX, near.throwVelocityY), 2.5 * 2.8 / 7.0, 1e-6);
    EXPECT_EQ(control(1, Action1), Consumed);  // by the flat throw that the lob overrides
}

TEST_F(RobotTest, ReleaseSendsTheDiscGlidingOrLobbedAndFreesTheRobot) {
    set(1, Action1);
    Robot robot(1, ModelBig, 3.0, 1.0);
    Frisbee disc = discAt(0.0, 0.0, 0.0, FrisbeeHeld);
    disc.owner = 1;
    giveDisc(robot, 3000.0);
    robot.update(STEP);
    robot.interact(disc);
    EXPECT_EQ(robot.state, RobotFree);
    EXPECT_EQ(disc.state, FrisbeeGliding);
    EXPECT_EQ(disc.owner, 1);
    EXPECT_EQ(disc.z, -4.9);
    EXPECT_EQ(disc.x, robot.x - 0.1);
    EXPECT_EQ(disc.y, robot.y);
    EXPECT_LT(disc.velocityX, -4.0);
    EXPECT_EQ(disc.velocityZ, 0.0);
    EXPECT_EQ(robot.throwVelocityX, 0.0);

    letGoAll();
    set(2, Action2);
    Robot lobber(2, ModelBig, -3.0, 0.0);
    disc.state = FrisbeeHeld;
    disc.owner = 2;
    giveDisc(lobber, 3000.0);
    lobber.update(STEP);
    lobber.interact(disc);
    EXPECT_EQ(disc.state, FrisbeeLobbed);
    EXPECT_EQ(disc.velocityZ, 10.0);
    EXPECT_EQ(disc.x, lobber.x + 0.1);
    EXPECT_EQ(lobber.throwVelocityZ, 0.0);
}

TEST_F(RobotTest, CatchingBoxIsStrictOnEveryAxis) {
    struct Case {
        int model;
        double x, y, z;
        bool caught;
    };
    const Case cases[] = {
        {ModelBig, 3.69, 0.69, -5.3, true},   {ModelBig, 3.7, 0.0, -5.3, false},
        {ModelBig, 2.31, -0.69, -5.3, true},  {ModelBig, 3.0, -0.7, -5.3, false},
        {ModelBig, 3.0, 0.0, -3.31, true},    {ModelBig, 3.0, 0.0, -3.3, false},
        {ModelSmall, 3.49, 0.49, -5.3, true}, {ModelSmall, 3.5, 0.0, -5.3, false},
        {ModelSmall, 3.0, 0.0, -3.51, true},  {ModelSmall, 3.0, 0.0, -3.5, false},
        {ModelSmall, 3.0, 0.0, -5.5, false},  {ModelSmall, 3.0, 0.0, -5.49, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << " at " << c.x << ", " << c.y
                                        << ", " << c.z);
        Robot robot(1, c.model, 3.0, 0.0);
        Frisbee disc = discAt(c.x, c.y, c.z, FrisbeeResting);
        robot.interact(disc);
        EXPECT_EQ(robot.state == RobotHolding, c.caught);
        EXPECT_EQ(disc.state == FrisbeeHeld, c.caught);
    }
}

TEST_F(RobotTest, CatchTakesTheDiscIntoTheHandsWithoutStoppingTheRobot) {
    Robot robot(2, ModelSmall, -3.0, 1.0);
    robot.state = RobotDashing;
    robot.velocityX = 3.0;
    Frisbee disc(-3.2, 1.1, -4.9, 5.0, 1.0, 0.0);
    disc.state = FrisbeeGliding;
    disc.owner = 1;
    disc.rotationY = 50.0;
    robot.interact(disc);
    EXPECT_EQ(robot.state, RobotHolding);
    EXPECT_EQ(robot.holdTime, 4000.0);
    EXPECT_EQ(robot.velocityX, 3.0);
    EXPECT_EQ(robot.discX, -3.2);  // the head looks where the disc was
    EXPECT_EQ(disc.state, FrisbeeHeld);
    EXPECT_EQ(disc.owner, 2);
    EXPECT_DOUBLE_EQ(disc.x, -2.9);
    EXPECT_EQ(disc.y, 1.0);
    EXPECT_EQ(disc.z, 0.0);
    EXPECT_EQ(disc.velocityX, 0.0);
    EXPECT_EQ(disc.velocityY, 0.0);
    EXPECT_EQ(disc.rotationY, 0.0);

    // Held: it rides along.
    robot.x = -2.0;
    robot.interact(disc);
    EXPECT_DOUBLE_EQ(disc.x, -1.9);
    EXPECT_EQ(disc.state, FrisbeeHeld);
}

TEST_F(RobotTest, NeverCatchesItsOwnThrowNorADiscItServedBeforeItLands) {
    Robot robot(1, ModelBig, 3.0, 0.0);
    Frisbee own = discAt(3.0, 0.0, -4.9, FrisbeeGliding);
    own.owner = 1;
    robot.interact(own);
    EXPECT_EQ(robot.state, RobotFree);
    EXPECT_EQ(own.state, FrisbeeGliding);

    Frisbee served = discAt(3.0, 0.0, -4.0, FrisbeeDropping);
    served.owner = 1;
    robot.interact(served);
    EXPECT_EQ(served.state, FrisbeeDropping);
    served.owner = 0;  // as it is once it has landed
    robot.interact(served);
    EXPECT_EQ(served.state, FrisbeeHeld);

    Frisbee scored = discAt(3.0, 0.0, -5.3, FrisbeeScored);
    scored.owner = 2;
    Robot other(1, ModelBig, 3.0, 0.0);
    other.interact(scored);
    EXPECT_EQ(other.state, RobotFree);
}

TEST_F(RobotTest, HoldingRobotCatchesNothingElse) {
    Robot robot(1, ModelBig, 3.0, 0.0);
    giveDisc(robot);
    Frisbee disc = discAt(3.0, 0.0, -5.3, FrisbeeResting);
    robot.interact(disc);
    EXPECT_EQ(disc.state, FrisbeeResting);  // carried along, but not caught
    EXPECT_EQ(robot.holdTime, HOLD_TIME_MS);
}

TEST_F(RobotTest, LimitsKeepEachRobotOnItsHalf) {
    Robot one(1, ModelBig, 6.0, 0.0);
    one.update(STEP);
    EXPECT_EQ(one.x, 5.89);

    struct Case {
        int player;
        double x, y, velocityX, velocityY;
        double endX, endY;
    };
    const Case cases[] = {
        {1, 3.0, 2.2, 0.0, 2.0, 3.0, 2.249},   {1, 3.0, -2.2, 0.0, -2.0, 3.0, -2.249},
        {1, 1.05, 0.0, -2.0, 0.0, 1.01, 0.0},  {2, -5.95, 0.0, -2.0, 0.0, -5.99, 0.0},
        {2, -1.05, 0.0, 2.0, 0.0, -1.01, 0.0}, {2, -6.0, 0.0, 0.0, 0.0, -6.0, 0.0},
        {1, 5.9, 0.0, 0.0, 0.0, 5.9, 0.0},     {1, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "player " << c.player << " at " << c.x << ", " << c.y);
        Robot robot(c.player, ModelBig, c.x, c.y);
        robot.state = RobotDashing;
        robot.velocityX = c.velocityX;
        robot.velocityY = c.velocityY;
        robot.update(STEP);
        EXPECT_DOUBLE_EQ(robot.x, c.endX);
        EXPECT_DOUBLE_EQ(robot.y, c.endY);
    }
}

TEST_F(RobotTest, DashStoppedByALimitEndsAtTheNextUpdate) {
    set(1, Left);
    set(1, Action1);
    Robot robot(1, ModelSmall, 5.5, 0.0);
    robot.update(STEP);
    ASSERT_EQ(robot.state, RobotDashing);
    robot.update(STEP);
    EXPECT_EQ(robot.x, 5.89);
    EXPECT_EQ(robot.velocityX, 0.0);
    EXPECT_EQ(robot.state, RobotDashing);
    robot.update(STEP);
    EXPECT_EQ(robot.state, RobotFree);
    EXPECT_EQ(control(1, Action1), Consumed);
}

TEST_F(RobotTest, BottomTurnsAtTheTurnRateAndSnapsWhenClose) {
    set(1, Up);
    Robot robot(1, ModelBig, 3.0, 0.0);
    robot.update(STEP);
    EXPECT_DOUBLE_EQ(robot.rotationY, -0.4 * STEP);
    robot.rotationY = -80.01;
    robot.update(STEP);
    EXPECT_EQ(robot.rotationY, -90.0);

    set(1, Up, Released);
    robot.rotationY = -80.0;
    robot.update(STEP);
    EXPECT_DOUBLE_EQ(robot.rotationY, -80.0 + 0.4 * STEP);
    robot.rotationY = 9.99;
    robot.update(STEP);
    EXPECT_EQ(robot.rotationY, 0.0);
}

TEST_F(RobotTest, HeadLooksAtTheDiscSeenAtTheLastInteract) {
    struct Case {
        double discX, discY, yaw;
    };
    const Case cases[] = {
        {1.0, 0.0, 180.0}, {3.0, 1.0, 90.0},  {3.0, -1.0, -90.0}, {4.0, 1.0, 45.0},
        {2.0, 1.0, 135.0}, {2.0, -1.0, 225.0}, {4.0, -1.0, -45.0}, {5.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "disc at " << c.discX << ", " << c.discY);
        Robot robot(1, ModelBig, 3.0, 0.0);
        Frisbee disc = discAt(c.discX, c.discY, -4.9, FrisbeeGliding);
        disc.owner = 1;
        robot.interact(disc);
        robot.update(STEP);
        EXPECT_NEAR(robot.headYaw, c.yaw, 1e-5);
    }

    // Exactly on top of the robot the head keeps its direction.
    Robot robot(1, ModelBig, 3.0, 0.0);
    robot.headYaw = 77.0;
    robot.discX = 3.0;
    robot.discY = 0.0;
    robot.update(STEP);
    EXPECT_EQ(robot.headYaw, 77.0);
}

TEST_F(RobotTest, ResetPutsTheRobotBackFreeOnItsSpot) {
    Robot robot(2, ModelBig, -3.0, 1.5);
    giveDisc(robot, 1234.0);
    robot.headYaw = 50.0;
    robot.turnTarget = 45.0;
    robot.discX = 1.0;
    robot.discY = 1.0;
    robot.throwVelocityX = 2.0;
    robot.throwVelocityY = 2.0;
    robot.throwVelocityZ = 10.0;
    robot.velocityX = 1.0;
    robot.rotationY = 30.0;
    robot.resetToStart();
    EXPECT_EQ(robot.state, RobotFree);
    EXPECT_EQ(robot.x, -6.0);
    EXPECT_EQ(robot.y, 0.0);
    EXPECT_EQ(robot.holdTime, 0.0);
    EXPECT_EQ(robot.headYaw, 0.0);
    EXPECT_EQ(robot.turnTarget, 0.0);
    EXPECT_EQ(robot.discX, 0.0);
    EXPECT_EQ(robot.throwVelocityX, 0.0);
    EXPECT_EQ(robot.throwVelocityZ, 0.0);
    EXPECT_EQ(robot.velocityX, 1.0);   // set from the controls at the next update
    EXPECT_EQ(robot.rotationY, 30.0);  // turns back by itself
}

namespace {

// A working folder holding a two-second "move" sound, with OpenAL's silent
// output open, so that the running noise really plays.
class RunningNoiseTest : public RobotTest {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("korv-running-noise-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "Sounds");
        writeTone(folder / "Sounds" / "move.wav");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        setenv("ALSOFT_DRIVERS", "null", 1);
        ASSERT_TRUE(openAudioDevice());
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    static void writeTone(const std::filesystem::path& path) {
        constexpr std::uint32_t rate = 22050;
        constexpr std::uint32_t samples = 2 * rate;
        std::ofstream out(path, std::ios::binary);
        const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out.write("RIFF", 4);
        u32(36 + samples * 2);
        out.write("WAVEfmt ", 8);
        u32(16);
        u16(1);  // PCM
        u16(1);  // mono
        u32(rate);
        u32(rate * 2);
        u16(2);
        u16(16);
        out.write("data", 4);
        u32(samples * 2);
        for (std::uint32_t i = 0; i < samples; ++i)
            u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(
                8000.0 * std::sin(2.0 * M_PI * 110.0 * i / rate))));
    }

    static ALint sourceState(ALuint source) {
        ALint state = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        return state;
    }
    static float pitch(ALuint source) {
        float value = 0.0f;
        alGetSourcef(source, AL_PITCH, &value);
        return value;
    }

    std::filesystem::path folder;
    std::filesystem::path previous;
};

}  // namespace

TEST_F(RunningNoiseTest, FollowsTheRobotWithAPitchThatGrowsWithItsSpeedSquared) {
    set(1, Up);
    Robot big(1, ModelBig, 3.0, 1.0);
    ASSERT_GT(big.moveSound->buffer, 0u);
    const ALuint source = big.moveSound->sources[0];
    big.update(33);
    EXPECT_EQ(sourceState(source), AL_PLAYING);
    EXPECT_NEAR(pitch(source), 1.6 * 1.6 / 3.0, 1e-6);  // 0.853
    float position[3] = {};
    alGetSourcefv(source, AL_POSITION, position);
    EXPECT_FLOAT_EQ(position[0], 3.0 / -6.0);
    EXPECT_FLOAT_EQ(position[1], static_cast<float>(big.y * 0.25));
    EXPECT_EQ(position[2], 0.0f);

    // While playing, it is moved along rather than restarted.
    big.update(33);
    alGetSourcefv(source, AL_POSITION, position);
    EXPECT_FLOAT_EQ(position[1], static_cast<float>(big.y * 0.25));
    EXPECT_EQ(sourceState(source), AL_PLAYING);

    // Player 2's small robot uses the other source, higher pitched.
    set(2, Left);
    Robot small(2, ModelSmall, -3.0, 0.0);
    small.update(33);
    const ALuint other = small.moveSound->sources[1];
    EXPECT_EQ(sourceState(other), AL_PLAYING);
    EXPECT_NEAR(pitch(other), 2.16 * 2.16 / 3.0, 1e-5);  // 1.555
    EXPECT_NEAR(pitch(source), 0.853, 1e-3);

    // Standing still stops it.
    set(1, Up, Released);
    big.update(33);
    EXPECT_EQ(sourceState(source), AL_STOPPED);
    EXPECT_EQ(sourceState(other), AL_PLAYING);
    big.update(33);
    EXPECT_EQ(sourceState(source), AL_STOPPED);
}

namespace {

// The world matrix a robot part is drawn with: stood up, turned by its yaw,
// scaled, then put in place.
Matrix partWorld(float yaw, float x, float y, float z) {
    return matrixMultiply(
        matrixMultiply(rotationMatrix(90.0f, yaw, 90.0f), matrixScaling(0.3f, 0.3f, 0.3f)),
        matrixTranslation(x, y, z));
}

bool sameMatrix(const Matrix& a, const Matrix& b) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (a.m[r][c] != b.m[r][c]) return false;
    return true;
}

// Robots drawn with the generated models onto a device that records.
class RobotDrawTest : public RobotTest {
protected:
    void SetUp() override {
        auto owned = std::make_unique<RecordingDevice>();
        device = owned.get();
        GraphicsContext::instance().device = std::move(owned);
        MeshManager::instance().device = device;
    }

    // The draws of one part, in the order they came.
    std::vector<const DeviceCall*> drawsOf(const Mesh* part) const {
        std::vector<const DeviceCall*> draws;
        for (const DeviceCall* call : device->callsOf(DeviceCall::Kind::DrawSubset))
            if (call->mesh == part->mesh.get()) draws.push_back(call);
        return draws;
    }

    WorkingDirectory inside{KORV_GAME_DIR};
    RecordingDevice* device = nullptr;
};

}  // namespace

TEST_F(RobotDrawTest, ThreePartsAtOnePlaceEachWithItsOwnYaw) {
    Robot robot(1, ModelBig, 3.25, -1.5);
    robot.headYaw = 30.5;
    robot.rotationY = -45.0;
    device->clearCalls();
    robot.draw();

    const struct {
        const Mesh* part;
        float yaw;
    } parts[] = {{robot.headMesh, 30.5f}, {robot.bodyMesh, 180.0f}, {robot.mesh, 135.0f}};
    std::size_t previousLast = 0;
    for (const auto& part : parts) {
        const auto draws = drawsOf(part.part);
        ASSERT_FALSE(draws.empty());
        for (const DeviceCall* draw : draws) {
            EXPECT_TRUE(sameMatrix(draw->matrix, partWorld(part.yaw, 3.25f, -1.5f, -5.0f)))
                << "yaw " << part.yaw;
        }
        // Head, then body, then bottom.
        const std::size_t first = draws.front() - device->calls.data();
        EXPECT_GE(first, previousLast);
        previousLast = draws.back() - device->calls.data();
    }
    EXPECT_EQ(device->count(DeviceCall::Kind::DrawSubset),
              drawsOf(robot.headMesh).size() + drawsOf(robot.bodyMesh).size() +
                  drawsOf(robot.mesh).size());
}

TEST_F(RobotDrawTest, MissingHeadLeavesBodyAndBottomDrawn) {
    Robot robot(2, ModelSmall, -3.0, 0.0);
    const Mesh* head = robot.headMesh;
    robot.headMesh = nullptr;
    device->clearCalls();
    robot.draw();
    EXPECT_TRUE(drawsOf(head).empty());
    EXPECT_FALSE(drawsOf(robot.bodyMesh).empty());
    EXPECT_FALSE(drawsOf(robot.mesh).empty());
}

TEST_F(RobotDrawTest, DiscIsDrawnOnlyWhenVisibleAndNotHeld) {
    Frisbee disc(1.0, 0.5, -4.9, 0.0, 0.0, 0.0);
    const auto discDraws = [&] {
        device->clearCalls();
        disc.draw();
        return device->count(DeviceCall::Kind::DrawSubset);
    };
    EXPECT_EQ(discDraws(), 0u);  // held from the start
    disc.state = FrisbeeGliding;
    EXPECT_GT(discDraws(), 0u);
    EXPECT_TRUE(sameMatrix(device->last(DeviceCall::Kind::DrawSubset)->matrix,
                           matrixMultiply(matrixMultiply(rotationMatrix(90.0f, 0.0f, 90.0f),
                                                         matrixScaling(0.2f, 0.2f, 0.2f)),
                                          matrixTranslation(1.0f, 0.5f, -4.9f))));
    disc.visible = false;
    EXPECT_EQ(discDraws(), 0u);
    disc.visible = true;
    disc.state = FrisbeeResting;
    EXPECT_GT(discDraws(), 0u);
}

TEST_F(RobotDrawTest, HeldDiscIsNotDrawnWhileTheRobotIs) {
    Robot robot(1, ModelBig, 3.0, 0.0);
    Frisbee disc(3.0, 0.0, -5.3, 0.0, 0.0, 0.0);
    disc.state = FrisbeeResting;
    robot.interact(disc);
    ASSERT_EQ(disc.state, FrisbeeHeld);
    device->clearCalls();
    robot.draw();
    const std::size_t robotDraws = device->count(DeviceCall::Kind::DrawSubset);
    disc.draw();
    EXPECT_GT(robotDraws, 0u);
    EXPECT_EQ(device->count(DeviceCall::Kind::DrawSubset), robotDraws);
}
