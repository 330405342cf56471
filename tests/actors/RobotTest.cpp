#include "actors/Robot.h"

#include "actors/Frisbee.h"
#include "assets/MeshManager.h"
#include "audio/AudioTestSupport.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "input/InputManager.h"
#include "support/RecordingGraphics.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

namespace {

constexpr int STEP = 33;
const double SMALL_SPEED = 1.35f;  // the small robot's speed, as the robot stores it

class RobotTest : public testing::Test {
protected:
    void set(int player, ControlKind kind, int value = Active) {
        input.controls[controlIndex(kind, player)] = value;
    }
    void hold(int player, std::initializer_list<ControlKind> kinds) {
        for (ControlKind kind : kinds) set(player, kind);
    }
    int control(int player, ControlKind kind) const {
        return input.controls[controlIndex(kind, player)];
    }

    // A robot holding the disc, as a catch leaves it.
    static void giveDisc(Robot& robot, double holdTime = HOLD_TIME_MS) {
        robot.state = RobotHolding;
        robot.holdTime = holdTime;
    }

    // Whether player 1's robot at (3, 0) catches the disc; one not caught is left as it was.
    static bool catches(int model, int robotState, Frisbee disc) {
        Robot robot(1, model, 3.0, 0.0);
        robot.state = robotState;
        robot.holdTime = 1000.0;
        const auto before = std::tuple(disc.state, disc.owner);
        robot.interact(disc);
        const bool caught = robot.holdTime == HOLD_TIME_MS;
        EXPECT_EQ(robot.state == RobotHolding, caught || robotState == RobotHolding);
        EXPECT_EQ(std::tuple(disc.state, disc.owner), caught ? std::tuple(int(FrisbeeHeld), 1) : before);
        return caught;
    }

    InputManager& input = InputManager::instance();
};

Frisbee discAt(double x, double y, double z, int state, int owner = 0) {
    Frisbee disc(x, y, z, 0.0, 0.0, 0.0);
    disc.state = state;
    disc.owner = owner;
    return disc;
}

double degrees(double x, double y) { return std::atan2(y, x) * 180.0 / M_PI; }

}  // namespace

TEST_F(RobotTest, EachPlayerFacesTheOtherAndAnUnknownModelBuildsASmallRobot) {
    Robot small(1, ModelSmall, 6.0, 0.0);
    Robot big(2, ModelBig, -6.0, 0.0);
    EXPECT_EQ(std::tuple(small.heading, big.heading), std::tuple(180.0, 0.0));  // each faces the other
    EXPECT_NE(small.headMesh, big.headMesh);
    for (int model : {2, -1}) {
        Robot odd(2, model, -6.0, 0.0);
        EXPECT_EQ(std::tuple(odd.model, odd.speed, odd.reachX, odd.reachHeight, odd.headMesh, odd.mesh),
                  std::tuple(int(ModelSmall), small.speed, small.reachX, small.reachHeight, small.headMesh,
                             small.mesh));
    }
}

TEST_F(RobotTest, DirectionsHeldSetVelocityAndTurnWhenFreeAndAimTheThrowWhenHolding) {
    struct Case {
        std::array<int, 4> held;  // up, down, left, right
        double velocityX, velocityY;  // in units of speed
        double turn1, turn2, angle1, angle2;
    };
    const Case cases[] = {
        {{}, 0.0, 0.0, 0.0, 0.0, 180.0, 0.0},
        {{Active, 0, 0, 0}, 0.0, 1.6, -90.0, 90.0, 140.0, 40.0},
        {{0, Active, 0, 0}, 0.0, -1.6, 90.0, -90.0, -140.0, -40.0},
        // Left and right alone move sideways but do not bend a throw.
        {{0, 0, Active, 0}, 1.6, 0.0, 0.0, 0.0, 180.0, 0.0},
        {{0, 0, 0, Active}, -1.6, 0.0, 0.0, 0.0, 180.0, 0.0},
        {{Active, 0, Active, 0}, 1.2, 1.2, 45.0, 45.0, 120.0, 20.0},
        {{Active, 0, 0, Active}, -1.2, 1.2, -45.0, -45.0, 160.0, 60.0},
        {{0, Active, Active, 0}, 1.2, -1.2, -45.0, -45.0, -120.0, -20.0},
        {{0, Active, 0, Active}, -1.2, -1.2, 45.0, 45.0, -160.0, -60.0},
        {{Masked, 0, Consumed, 0}, 0.0, 0.0, 0.0, 0.0, 180.0, 0.0},  // only Active is held
    };
    for (const Case& c : cases) {
        for (int player : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "case " << &c - cases << ", player " << player);
            for (ControlKind kind : {Up, Down, Left, Right}) set(player, kind, c.held[kind]);
            const double x = player == 1 ? 3.0 : -3.0;
            Robot robot(player, ModelSmall, x, 0.0);
            robot.update(STEP);
            EXPECT_EQ(std::tuple(robot.velocityX, robot.velocityY, robot.turnTarget),
                      std::tuple(c.velocityX * SMALL_SPEED, c.velocityY * SMALL_SPEED,
                                 player == 1 ? c.turn1 : c.turn2));

            set(player, Action1);
            Robot thrower(player, ModelSmall, x, 0.0);
            giveDisc(thrower, 2000.0);
            thrower.update(STEP);
            double angle = degrees(thrower.throwVelocityX, thrower.throwVelocityY);
            const double expected = player == 1 ? c.angle1 : c.angle2;
            if (expected == 180.0 && angle < 0.0) angle += 360.0;
            EXPECT_NEAR(angle, expected, 1e-5);
        }
    }
}

TEST_F(RobotTest, DashTriplesTheWalkSlidesToAStopAndThenWantsTheButtonLetGo) {
    hold(2, {Left, Action1});
    Robot robot(2, ModelBig, -5.5, 0.0);
    robot.update(STEP);
    ASSERT_EQ(robot.state, RobotDashing);
    EXPECT_DOUBLE_EQ(robot.velocityX, 4.8);
    EXPECT_EQ(control(2, Action1), Active);  // not used up by the start of a dash
    // Steering does nothing while dashing.
    set(2, Left, Released);
    set(2, Up);
    int updates = 0;
    for (; robot.state == RobotDashing && updates < 100; ++updates) robot.update(STEP);
    EXPECT_EQ(updates, 18);  // 4.8 loses 0.264 per update and stops below 0.5
    EXPECT_EQ(control(2, Action1), Consumed);
    // Still held: it walks but does not dash again.
    robot.update(STEP);
    EXPECT_EQ(std::tuple(robot.state, robot.velocityY), std::tuple(int(RobotFree), 1.6));

    // The small robot dashes faster, 2.16 × 3 / √1.35 ≈ 5.58 (the root in
    // single precision).
    hold(1, {Left, Action1});
    Robot small(1, ModelSmall, 3.0, 0.0);
    small.update(STEP);
    EXPECT_EQ(small.velocityX, 1.6 * SMALL_SPEED * (3.0 / std::sqrt(1.35f)));
}

TEST_F(RobotTest, FrictionStopsSlowComponentsAndSlowsTheOthers) {
    Robot robot(1, ModelBig, 3.0, 0.0);
    giveDisc(robot);
    for (double v : {0.49, 0.5}) {
        robot.velocityX = v;
        robot.velocityY = -v;
        robot.update(STEP);
        const double after = v < 0.5 ? 0.0 : v - 4.0 * STEP / 500.0;
        EXPECT_DOUBLE_EQ(robot.velocityX, after) << v;
        EXPECT_DOUBLE_EQ(robot.velocityY, -after) << v;
    }
    EXPECT_EQ(robot.state, RobotHolding);  // holding is not ended by a stop
}

TEST_F(RobotTest, NoThrowInTheFirst300MsAfterACatchThenTheBigRobotsIsStrong) {
    hold(1, {Up, Action1});
    Robot robot(1, ModelBig, 3.0, 0.0);
    giveDisc(robot);
    for (int i = 0; i < 10; ++i) robot.update(STEP);  // holdTime 4000 down to 3703 at the start of each
    EXPECT_EQ(robot.throwVelocityX, 0.0);
    EXPECT_EQ(control(1, Action1), Active);
    robot.update(STEP);  // holdTime 3670 < 3700
    EXPECT_NEAR(degrees(robot.throwVelocityX, robot.throwVelocityY), 140.0, 1e-5);
    EXPECT_EQ(control(1, Action1), Consumed);

    // At the very first moment allowed, the big robot's throw has speed 7.05.
    set(1, Action1);
    Robot early(1, ModelBig, 3.0, 0.0);
    giveDisc(early, 3699.0);
    early.update(STEP);
    EXPECT_NEAR(std::hypot(early.throwVelocityX, early.throwVelocityY), 7.05, 0.005);
}

TEST_F(RobotTest, HeldDiscIsThrownStraightAheadByForceAfterFourSeconds) {
    for (int player : {1, 2}) {
        Robot robot(player, ModelSmall, player == 1 ? 3.0 : -3.0, 0.0);
        giveDisc(robot);
        int spent = 0;
        for (; robot.throwVelocityX == 0.0 && spent < 6000; spent += STEP) robot.update(STEP);
        // 4000 ms run out during the 122nd update; the 123rd throws.
        EXPECT_EQ(spent, 123 * STEP);
        EXPECT_NEAR(robot.throwVelocityX, player == 1 ? -1.25 : 1.25, 1e-6);
        EXPECT_NEAR(robot.throwVelocityY, 0.0, 1e-6);
    }
}

TEST_F(RobotTest, LobGoesUpFartherFromTheCentreAndUsesBothButtons) {
    hold(2, {Action1, Action2});
    Robot robot(2, ModelBig, -6.0, 0.0);
    giveDisc(robot, 3000.0);
    robot.update(STEP);
    EXPECT_EQ(robot.throwVelocityZ, 10.0);
    EXPECT_DOUBLE_EQ(robot.throwVelocityX, 3.5);  // (3000 / 2000 + 2) × (6 + 1) / 7
    EXPECT_EQ(robot.throwVelocityY, 0.0);
    EXPECT_EQ(control(2, Action2), Consumed);

    hold(1, {Action2, Up});
    Robot near(1, ModelSmall, 1.8, 0.5);
    giveDisc(near, 1000.0);
    near.update(STEP);
    EXPECT_NEAR(degrees(near.throwVelocityX, near.throwVelocityY), 165.0, 1e-5);
    EXPECT_NEAR(std::hypot(near.throwVelocityX, near.throwVelocityY), 2.5 * 2.8 / 7.0, 1e-6);
}

TEST_F(RobotTest, ReleaseLobsTheDiscFromJustInFrontAndFreesTheRobot) {
    // A flat throw's release is played out by every rally; a lob's is checked here.
    set(2, Action2);
    Robot robot(2, ModelBig, -3.0, 1.0);
    Frisbee disc = discAt(0.0, 0.0, 0.0, FrisbeeHeld, 2);
    giveDisc(robot, 3000.0);
    robot.update(STEP);
    robot.interact(disc);
    EXPECT_EQ(std::tuple(robot.state, robot.throwVelocityX, robot.throwVelocityZ), std::tuple(int(RobotFree), 0.0, 0.0));
    EXPECT_EQ(std::tuple(disc.state, disc.owner), std::tuple(int(FrisbeeLobbed), 2));
    EXPECT_EQ(std::tuple(disc.x, disc.y, disc.z), std::tuple(robot.x + 0.1, 1.0, -4.9));
    EXPECT_GT(disc.velocityX, 1.0);
    EXPECT_EQ(disc.velocityZ, 10.0);
}

TEST_F(RobotTest, CatchingBoxIsStrictOnEveryAxis) {
    struct Case { int model; double x, y, z; bool caught; };
    const Case cases[] = {
        {ModelBig, 3.69, 0.69, -5.3, true},   {ModelBig, 3.7, 0.0, -5.3, false},
        {ModelBig, 2.31, -0.69, -5.3, true},  {ModelBig, 3.0, -0.7, -5.3, false},
        {ModelBig, 3.0, 0.0, -3.31, true},    {ModelBig, 3.0, 0.0, -3.3, false},
        {ModelSmall, 3.49, 0.49, -5.3, true}, {ModelSmall, 3.5, 0.0, -5.3, false},
        {ModelSmall, 3.0, 0.0, -3.51, true},  {ModelSmall, 3.0, 0.0, -3.5, false},
        {ModelSmall, 3.0, 0.0, -5.5, false},  {ModelSmall, 3.0, 0.0, -5.49, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(catches(c.model, RobotFree, discAt(c.x, c.y, c.z, FrisbeeResting)), c.caught)
            << "case " << &c - cases;
}

TEST_F(RobotTest, CatchesNeitherItsOwnThrowNorADiscServedAgainstItNorASecondOne) {
    struct Case { const char* what; int robotState, discState, owner; bool caught; };
    const Case cases[] = {
        {"the other's throw, while dashing", RobotDashing, FrisbeeGliding, 2, true},
        {"its own throw", RobotFree, FrisbeeGliding, 1, false},
        {"its own lob", RobotFree, FrisbeeLobbed, 1, false},
        {"a disc served against it, falling", RobotFree, FrisbeeDropping, 1, false},
        {"a served disc once it has landed", RobotFree, FrisbeeDropping, 0, true},
        {"a disc that scored", RobotFree, FrisbeeScored, 2, false},
        {"a disc the other holds", RobotFree, FrisbeeHeld, 2, false},
        {"a second disc while holding", RobotHolding, FrisbeeResting, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(catches(ModelBig, c.robotState, discAt(3.0, 0.0, -5.3, c.discState, c.owner)), c.caught)
            << c.what;
}

TEST_F(RobotTest, CatchTakesTheDiscIntoTheHandsWithoutStoppingTheRobot) {
    Robot robot(2, ModelSmall, -3.0, 1.0);
    robot.state = RobotDashing;
    robot.velocityX = 3.0;
    Frisbee disc = discAt(-3.2, 1.1, -4.9, FrisbeeGliding, 1);
    disc.velocityX = 5.0;
    disc.rotationY = 50.0;
    robot.interact(disc);
    EXPECT_EQ(std::tuple(robot.state, robot.velocityX), std::tuple(int(RobotHolding), 3.0));
    EXPECT_EQ(robot.discX, -3.2);  // the head looks where the disc was
    // Carried still just in front of the robot, at z 0, not turned.
    EXPECT_EQ(std::tuple(disc.x, disc.y, disc.z), std::tuple(robot.x + 0.1, 1.0, 0.0));
    EXPECT_EQ(std::tuple(disc.velocityX, disc.rotationY), std::tuple(0.0, 0.0));

    // Held: it rides along.
    robot.x = -2.0;
    robot.interact(disc);
    EXPECT_DOUBLE_EQ(disc.x, -1.9);
    EXPECT_EQ(disc.state, FrisbeeHeld);
}

TEST_F(RobotTest, LimitsKeepEachRobotOnItsHalf) {
    struct Case { int player; double x, y, velocityX, velocityY; double endX, endY; };
    const Case cases[] = {
        {1, 6.0, 0.0, 0.0, 0.0, 5.89, 0.0},  // the start spot is just outside
        {1, 3.0, 2.2, 0.0, 2.0, 3.0, 2.249},   {1, 3.0, -2.2, 0.0, -2.0, 3.0, -2.249},
        {1, 1.05, 0.0, -2.0, 0.0, 1.01, 0.0},  {2, -5.95, 0.0, -2.0, 0.0, -5.99, 0.0},
        {2, -1.05, 0.0, 2.0, 0.0, -1.01, 0.0}, {2, -6.0, 0.0, 0.0, 0.0, -6.0, 0.0},
        {1, 5.9, 0.0, 0.0, 0.0, 5.9, 0.0},     {1, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0},
    };
    for (const Case& c : cases) {
        Robot robot(c.player, ModelBig, c.x, c.y);
        giveDisc(robot);
        robot.velocityX = c.velocityX;
        robot.velocityY = c.velocityY;
        robot.update(STEP);
        // A limit stops it, and nothing more.
        EXPECT_EQ(std::tuple(robot.x, robot.y, robot.velocityX, robot.state),
                  std::tuple(c.endX, c.endY, 0.0, int(RobotHolding))) << "case " << &c - cases;
    }
}

TEST_F(RobotTest, BottomTurnsAtTheTurnRateAndSnapsWhenClose) {
    set(1, Up);
    Robot robot(1, ModelBig, 3.0, 0.0);
    robot.update(STEP);
    EXPECT_DOUBLE_EQ(robot.rotationY, -0.4 * STEP);
    robot.rotationY = -80.01;
    robot.update(STEP);
    EXPECT_EQ(robot.rotationY, -90.0);

    set(1, Up, Released);  // back toward 0
    robot.update(STEP);
    EXPECT_DOUBLE_EQ(robot.rotationY, -90.0 + 0.4 * STEP);
}

TEST_F(RobotTest, HeadLooksAtTheDiscSeenAtTheLastInteract) {
    struct Case { double discX, discY, yaw; };
    const Case cases[] = {{4.0, 1.0, 45.0}, {2.0, -1.0, 225.0}, {3.0, -1.0, -90.0}};
    for (const Case& c : cases) {
        Robot robot(1, ModelBig, 3.0, 0.0);
        Frisbee disc = discAt(c.discX, c.discY, -4.9, FrisbeeGliding, 1);
        robot.interact(disc);
        robot.update(STEP);
        EXPECT_NEAR(robot.headYaw, c.yaw, 1e-5) << "disc at " << c.discX << ", " << c.discY;
    }

    // Exactly on top of the robot the head keeps its direction.
    Robot robot(1, ModelBig, 3.0, 0.0);
    robot.headYaw = 77.0;
    robot.discX = 3.0;
    robot.update(STEP);
    EXPECT_EQ(robot.headYaw, 77.0);
}

TEST_F(RobotTest, RunningNoiseFollowsTheRobotWithAPitchThatGrowsWithItsSpeedSquared) {
    useNullOutput();
    ASSERT_TRUE(openAudioDevice());
    WorkingDirectory inside{KORV_GAME_DIR};
    const auto pitch = [](ALuint source) {
        float value = 0.0f;
        alGetSourcef(source, AL_PITCH, &value);
        return value;
    };

    set(1, Up);
    Robot big(1, ModelBig, 3.0, 1.0);
    ASSERT_GT(big.moveSound->buffer, 0u);
    const ALuint source = big.moveSound->sources[0];
    big.update(STEP);
    ASSERT_EQ(sourceState(source), AL_PLAYING);
    alSourcei(source, AL_LOOPING, AL_TRUE);  // the short sound then lasts to the last check
    EXPECT_NEAR(pitch(source), 1.6 * 1.6 / 3.0, 1e-6);

    // Player 2's small robot uses the other source, higher pitched.
    set(2, Left);
    Robot small(2, ModelSmall, -3.0, 0.0);
    small.update(STEP);
    EXPECT_EQ(sourceState(small.moveSound->sources[1]), AL_PLAYING);
    EXPECT_NEAR(pitch(small.moveSound->sources[1]), 2.16 * 2.16 / 3.0, 1e-5);

    // Standing still stops it.
    set(1, Up, Released);
    big.update(STEP);
    EXPECT_NE(sourceState(source), AL_PLAYING);
}

TEST_F(RobotTest, DrawsThreePartsAtOnePlaceEachWithItsOwnYaw) {
    RecordingDevice& device = installRecordingDevice();
    WorkingDirectory inside{KORV_GAME_DIR};
    Robot robot(1, ModelBig, 3.25, -1.5);
    robot.headYaw = 30.5;
    robot.rotationY = -45.0;
    device.clearCalls();
    robot.draw();
    // The head looks at the disc, the body faces the other half and the
    // bottom turns from there toward the running direction. Each part is
    // stood up, turned by its yaw, scaled, then put in place.
    std::size_t draws[3] = {};
    const std::pair<const Mesh*, float> parts[] = {{robot.headMesh, 30.5f}, {robot.bodyMesh, 180.0f}, {robot.mesh, 135.0f}};
    for (std::size_t p = 0; p < 3; ++p) {
        const Matrix world = matrixMultiply(
            matrixMultiply(rotationMatrix(90.0f, parts[p].second, 90.0f), matrixScaling(0.3f, 0.3f, 0.3f)),
            matrixTranslation(3.25f, -1.5f, float(robot.z)));
        for (const DeviceCall* call : device.callsOf(DeviceCall::Kind::DrawSubset)) {
            if (call->mesh != parts[p].first->mesh.get()) continue;
            ++draws[p];
            for (int i = 0; i < 16; ++i) EXPECT_EQ(call->matrix.m[i / 4][i % 4], world.m[i / 4][i % 4]) << p;
        }
        EXPECT_GT(draws[p], 0u) << p;
    }
    EXPECT_EQ(device.count(DeviceCall::Kind::DrawSubset), draws[0] + draws[1] + draws[2]);
}
