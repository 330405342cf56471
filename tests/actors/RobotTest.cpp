#include "actors/Robot.h"

#include "actors/ActorModels.h"
#include "actors/Frisbee.h"
#include "assets/MeshManager.h"
#include "audio/AudioTestSupport.h"
#include "audio/MatchSounds.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "match/MatchEvents.h"
#include "scene/Object3D.h"
#include "support/RecordingGraphics.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

constexpr int STEP = 33;
const double SMALL_SPEED = 1.35f;  // the small robot's speed, as the robot stores it

class RobotTest : public testing::Test {
protected:
    void set(int player, ControlKind kind, int value = Active) { controls[controlIndex(kind, player)] = value; }
    void hold(int player, const std::vector<ControlKind>& kinds) { for (ControlKind kind : kinds) set(player, kind); }
    int control(int player, ControlKind kind) const { return controls[controlIndex(kind, player)]; }
    void update(Robot& robot) { robot.update(STEP, controls, events); }

    // A robot holding the disc, as a catch leaves it.
    static void giveDisc(Robot& robot, double holdTime = HOLD_TIME_MS) {
        std::tie(robot.state, robot.holdTime) = std::tuple(int(RobotHolding), holdTime);
    }

    // Whether player 1's robot at (3, 0) catches the disc; one not caught is left as it was.
    bool catches(int model, int robotState, Frisbee disc) {
        Robot robot(1, model, 3.0, 0.0);
        std::tie(robot.state, robot.holdTime) = std::tuple(robotState, 1000.0);
        const auto before = std::tuple(disc.state, disc.owner);
        robot.interact(disc, events);
        const bool caught = robot.holdTime == HOLD_TIME_MS;
        EXPECT_EQ(robot.state == RobotHolding, caught || robotState == RobotHolding);
        EXPECT_EQ(std::tuple(disc.state, disc.owner), caught ? std::tuple(int(FrisbeeHeld), 1) : before);
        return caught;
    }

    ControlStates controls{};
    MatchEvents events;
};

Frisbee discAt(double x, double y, double z, int state, int owner = 0) {
    Frisbee disc(x, y, z, 0.0, 0.0, 0.0);
    std::tie(disc.state, disc.owner) = std::tuple(state, owner);
    return disc;
}

double degrees(double x, double y) { return std::atan2(y, x) * 180.0 / M_PI; }

float pitch(ALuint source) {
    float value = 0.0f;
    alGetSourcef(source, AL_PITCH, &value);
    return value;
}

}  // namespace

TEST_F(RobotTest, DirectionsHeldSetVelocityAndTurnWhenFreeAndAimTheThrowWhenHolding) {
    // Held up, down, left, right; the velocity in units of speed; the turn and throw angle per player.
    struct Case { std::array<int, 4> held; double velocityX, velocityY, turn1, turn2, angle1, angle2; };
    const Case cases[] = {
        {{}, 0.0, 0.0, 0.0, 0.0, 180.0, 0.0},                         {{Active, 0, 0, 0}, 0.0, 1.6, -90.0, 90.0, 140.0, 40.0},
        {{0, Active, 0, 0}, 0.0, -1.6, 90.0, -90.0, -140.0, -40.0},
        // Left and right alone move sideways but do not bend a throw.
        {{0, 0, Active, 0}, 1.6, 0.0, 0.0, 0.0, 180.0, 0.0},          {{0, 0, 0, Active}, -1.6, 0.0, 0.0, 0.0, 180.0, 0.0},
        {{Active, 0, Active, 0}, 1.2, 1.2, 45.0, 45.0, 120.0, 20.0},  {{Active, 0, 0, Active}, -1.2, 1.2, -45.0, -45.0, 160.0, 60.0},
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
            update(robot);
            // The bottom turns toward the target at 0.4° a millisecond.
            const double turn = player == 1 ? c.turn1 : c.turn2;
            EXPECT_EQ(std::tuple(robot.velocityX, robot.velocityY, robot.turnTarget, robot.rotationY),
                      std::tuple(c.velocityX * SMALL_SPEED, c.velocityY * SMALL_SPEED, turn,
                                 turn == 0.0 ? 0.0 : std::copysign(0.4 * STEP, turn)));

            set(player, Action1);
            Robot thrower(player, ModelSmall, x, 0.0);
            giveDisc(thrower, 2000.0);
            thrower.rotationY = 9.99;  // close enough to its target, 0, to snap onto it
            update(thrower);
            const double angle = degrees(thrower.throwVelocityX, thrower.throwVelocityY);
            EXPECT_NEAR(std::fabs(angle) == 180.0 ? 180.0 : angle, player == 1 ? c.angle1 : c.angle2, 1e-5);
            EXPECT_EQ(thrower.rotationY, 0.0);
        }
    }
}

TEST_F(RobotTest, DashTriplesTheWalkSlidesToAStopAndThenWantsTheButtonLetGo) {
    hold(2, {Left, Action1});
    Robot robot(2, ModelBig, -5.5, 0.0);
    update(robot);
    EXPECT_EQ(std::tuple(robot.state, control(2, Action1)), std::tuple(int(RobotDashing), int(Active)));
    EXPECT_DOUBLE_EQ(robot.velocityX, 4.8);  // and the button is not used up by the start of a dash
    // Steering does nothing while dashing.
    set(2, Left, Released);
    set(2, Up);
    int updates = 0;
    for (; robot.state == RobotDashing && updates < 100; ++updates) update(robot);
    EXPECT_EQ(updates, 18);  // 4.8 loses 0.264 per update and stops below 0.5
    EXPECT_EQ(control(2, Action1), Consumed);
    // Still held: it walks but does not dash again.
    update(robot);
    EXPECT_EQ(std::tuple(robot.state, robot.velocityY), std::tuple(int(RobotFree), 1.6));

    // The small robot dashes faster, 2.16 × 3 / √1.35 (the root in single precision).
    hold(1, {Left, Action1});
    Robot small(1, ModelSmall, 3.0, 0.0);
    update(small);
    EXPECT_EQ(small.velocityX, 1.6 * SMALL_SPEED * (3.0 / std::sqrt(1.35f)));
}

TEST_F(RobotTest, ThrowWaitsOutTheFirstMomentsIsForcedAfterFourSecondsAndALobGoesFartherOut) {
    // Speed 0: no throw yet.
    struct Case { int player, model; double x, y, holdTime; std::vector<ControlKind> held; int updates;
                  double speed, angle, velocityZ; };
    const Case cases[] = {
        {1, ModelBig, 3.0, 0.0, 3700.0, {Up, Action1}, 1, 0.0, 0.0, 0.0},
        {1, ModelBig, 3.0, 0.0, 3699.0, {Up, Action1}, 1, 7.0485, 140.0, 0.0},  // 4.699 × 1.25 × 1.2
        {2, ModelBig, -6.0, 0.0, 3000.0, {Action1, Action2}, 1, 3.5, 0.0, 10.0},  // (1.5 + 2) × (6 + 1) / 7
        {1, ModelSmall, 1.8, 0.5, 1000.0, {Action2, Up}, 1, 1.0, 165.0, 10.0},    // 2.5 × 2.8 / 7
        // 4000 ms run out during the 122nd update; the 123rd throws straight ahead.
        {1, ModelSmall, 3.0, 0.0, 4000.0, {}, 122, 0.0, 0.0, 0.0},
        {1, ModelSmall, 3.0, 0.0, 4000.0, {}, 123, 1.25, 180.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        controls.fill(Released);
        hold(c.player, c.held);
        Robot robot(c.player, c.model, c.x, c.y);
        giveDisc(robot, c.holdTime);
        for (int i = 0; i < c.updates; ++i) update(robot);
        EXPECT_NEAR(std::hypot(robot.throwVelocityX, robot.throwVelocityY), c.speed, 1e-6);
        EXPECT_NEAR(c.speed > 0.0 ? std::fabs(degrees(robot.throwVelocityX, robot.throwVelocityY)) : 0.0, c.angle, 1e-5);
        EXPECT_EQ(robot.throwVelocityZ, c.velocityZ);
        for (ControlKind kind : c.held)  // a throw uses up its buttons, a refused one leaves them
            EXPECT_EQ(control(c.player, kind), c.speed > 0.0 && kind >= Action1 ? Consumed : Active) << kind;
    }
}

TEST_F(RobotTest, CatchTakesTheDiscWithoutStoppingTheRobotWhichCarriesAndReleasesIt) {
    Robot robot(2, ModelSmall, -3.0, 1.0);
    std::tie(robot.state, robot.velocityX) = std::tuple(int(RobotDashing), 3.0);
    Frisbee disc = discAt(-3.2, 1.1, -4.9, FrisbeeGliding, 1);
    std::tie(disc.velocityX, disc.rotationY) = std::tuple(5.0, 50.0);
    robot.interact(disc, events);
    // The head looks where the disc was; the disc is carried still just in front, at z 0, not turned.
    EXPECT_EQ(std::tuple(robot.state, robot.velocityX, robot.discX), std::tuple(int(RobotHolding), 3.0, -3.2));
    EXPECT_EQ(std::tuple(disc.x, disc.y, disc.z, disc.velocityX, disc.rotationY),
              std::tuple(robot.x + 0.1, 1.0, 0.0, 0.0, 0.0));

    // It rides along and is lobbed from there; a flat throw's release is played out by every rally.
    std::tie(robot.x, robot.velocityX, robot.holdTime) = std::tuple(-2.0, 0.0, 3000.0);
    set(2, Action2);
    update(robot);
    robot.interact(disc, events);
    EXPECT_EQ(std::tuple(robot.state, robot.throwVelocityX, robot.throwVelocityZ), std::tuple(int(RobotFree), 0.0, 0.0));
    EXPECT_EQ(std::tuple(disc.state, disc.owner, disc.x, disc.y, disc.z, disc.velocityZ),
              std::tuple(int(FrisbeeLobbed), 2, robot.x + 0.1, 1.0, -4.9, 10.0));
    EXPECT_GT(disc.velocityX, 1.0);
}

TEST_F(RobotTest, CatchesInAStrictBoxButNeitherItsOwnThrowNorADiscServedAgainstItNorASecondOne) {
    struct Box { int model; double x, y, z; bool caught; };
    const Box box[] = {
        {ModelBig, 3.69, 0.69, -5.3, true},   {ModelBig, 3.7, 0.0, -5.3, false},
        {ModelBig, 2.31, -0.69, -5.3, true},  {ModelBig, 3.0, -0.7, -5.3, false},
        {ModelBig, 3.0, 0.0, -3.31, true},    {ModelBig, 3.0, 0.0, -3.3, false},
        {ModelSmall, 3.49, 0.49, -5.3, true}, {ModelSmall, 3.5, 0.0, -5.3, false},
        {ModelSmall, 3.0, 0.0, -3.51, true},  {ModelSmall, 3.0, 0.0, -3.5, false},
        {ModelSmall, 3.0, 0.0, -5.5, false},  {ModelSmall, 3.0, 0.0, -5.49, true},
    };
    for (const Box& c : box)
        EXPECT_EQ(catches(c.model, RobotFree, discAt(c.x, c.y, c.z, FrisbeeResting)), c.caught) << "box " << &c - box;
    // The other's throw while dashing; its own throw or lob; one served against it, falling, then
    // landed; one that scored; one the other holds; a second one.
    struct Rule { int robotState, discState, owner; bool caught; };
    const Rule rules[] = {
        {RobotDashing, FrisbeeGliding, 2, true}, {RobotFree, FrisbeeGliding, 1, false},
        {RobotFree, FrisbeeLobbed, 1, false},    {RobotFree, FrisbeeDropping, 1, false},
        {RobotFree, FrisbeeDropping, 0, true},   {RobotFree, FrisbeeScored, 2, false},
        {RobotFree, FrisbeeHeld, 2, false},      {RobotHolding, FrisbeeResting, 0, false},
    };
    for (const Rule& c : rules)
        EXPECT_EQ(catches(ModelBig, c.robotState, discAt(3.0, 0.0, -5.3, c.discState, c.owner)), c.caught)
            << "rule " << &c - rules;
}

TEST_F(RobotTest, HeldRobotSlidesUnderFrictionAndLimitsKeepItOnItsHalf) {
    const double slowed = 0.5 - 4.0 * STEP / 500.0;  // 0.5 loses 0.264 in an update
    struct Case { int player; double x, y, velocityX, velocityY; double endX, endY, endVelocityX; };
    const Case cases[] = {
        {1, 3.0, 0.0, 0.49, -0.49, 3.0, 0.0, 0.0},  // slower than 0.5 stops at once
        {1, 3.0, 0.0, 0.5, -0.5, 3.0 + STEP * slowed / 500.0, -(STEP * slowed) / 500.0, slowed},
        {1, 6.0, 0.0, 0.0, 0.0, 5.89, 0.0, 0.0},  // the start spot is just outside
        {1, 3.0, 2.2, 0.0, 2.0, 3.0, 2.249, 0.0},   {1, 3.0, -2.2, 0.0, -2.0, 3.0, -2.249, 0.0},
        {1, 1.05, 0.0, -2.0, 0.0, 1.01, 0.0, 0.0},  {2, -5.95, 0.0, -2.0, 0.0, -5.99, 0.0, 0.0},
        {2, -1.05, 0.0, 2.0, 0.0, -1.01, 0.0, 0.0}, {2, -6.0, 0.0, 0.0, 0.0, -6.0, 0.0, 0.0},
        {1, 5.9, 0.0, 0.0, 0.0, 5.9, 0.0, 0.0},     {1, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        Robot robot(c.player, ModelBig, c.x, c.y);
        giveDisc(robot);
        std::tie(robot.velocityX, robot.velocityY) = std::tuple(c.velocityX, c.velocityY);
        update(robot);
        // A stop or a limit ends neither the holding nor anything else.
        EXPECT_EQ(std::tuple(robot.x, robot.y, robot.velocityX, robot.state),
                  std::tuple(c.endX, c.endY, c.endVelocityX, int(RobotHolding))) << "case " << &c - cases;
    }
}

TEST_F(RobotTest, HeadLooksAtTheDiscSeenAtTheLastInteractAndKeepsItsWayRightOnTop) {
    for (const auto& [discX, discY, yaw] :
         {std::tuple(4.0, 1.0, 45.0), {2.0, -1.0, 225.0}, {3.0, -1.0, -90.0}, {3.0, 0.0, 77.0}}) {
        Robot robot(1, ModelBig, 3.0, 0.0);
        robot.headYaw = 77.0;
        Frisbee disc = discAt(discX, discY, -4.9, FrisbeeGliding, 1);
        robot.interact(disc, events);
        update(robot);
        EXPECT_NEAR(robot.headYaw, yaw, 1e-5) << "disc at " << discX << ", " << discY;
    }
}

TEST_F(RobotTest, RunningNoiseFollowsTheRobotWithAPitchThatGrowsWithItsSpeedSquared) {
    useNullOutput();
    ASSERT_TRUE(openAudioDevice());
    WorkingDirectory inside{KORV_GAME_DIR};
    hold(1, {Up});
    hold(2, {Left});
    Robot big(1, ModelBig, 3.0, 1.0), small(2, ModelSmall, -3.0, 0.0);
    MatchSounds sounds;
    sounds.load();
    const Sound* move = SoundManager::instance().sounds.at("move").get();
    ASSERT_GT(move->buffer, 0u);
    const ALuint source = move->sources[0];
    const auto heard = [&](Robot& robot) {
        events.clear();
        update(robot);
        sounds.play(events);
    };
    heard(big);
    ASSERT_EQ(sourceState(source), AL_PLAYING);
    alSourcei(source, AL_LOOPING, AL_TRUE);  // the short sound then lasts to the last check
    EXPECT_NEAR(pitch(source), 1.6 * 1.6 / 3.0, 1e-6);
    // Player 2's small robot uses the other source, higher pitched.
    heard(small);
    EXPECT_EQ(sourceState(move->sources[1]), AL_PLAYING);
    EXPECT_NEAR(pitch(move->sources[1]), 2.16 * 2.16 / 3.0, 1e-5);

    // Standing still stops it.
    set(1, Up, Released);
    heard(big);
    EXPECT_NE(sourceState(source), AL_PLAYING);
}

TEST_F(RobotTest, DrawsThreePartsAtOnePlaceEachWithItsOwnYaw) {
    RecordingDevice& device = installRecordingDevice();
    WorkingDirectory inside{KORV_GAME_DIR};
    ActorModels models;
    models.load(ModelBig, ModelSmall);
    Robot robot(1, ModelBig, 3.25, -1.5);
    std::tie(robot.headYaw, robot.rotationY) = std::tuple(30.5, -45.0);
    device.clearCalls();
    models.draw(robot);
    MeshManager& meshes = MeshManager::instance();
    // The head looks at the disc, the body faces the other half and the bottom turns from there
    // toward the running direction. Each part is stood up, turned by its yaw, scaled, then put in place.
    std::size_t draws = 0;
    for (const auto& [part, yaw] :
         {std::pair<const Mesh*, float>{meshes.getMesh("BigHead"), 30.5f}, {meshes.getMesh("BigBody"), 180.0f},
          {meshes.getMesh("BigBottom"), 135.0f}}) {
        const Matrix world = matrixMultiply(
            matrixMultiply(rotationMatrix(90.0f, yaw, 90.0f), matrixScaling(0.3f, 0.3f, 0.3f)),
            matrixTranslation(3.25f, -1.5f, float(robot.z)));
        const std::size_t before = draws;
        for (const DeviceCall* call : device.callsOf(DeviceCall::Kind::DrawSubset)) {
            if (call->mesh != part->mesh.get()) continue;
            ++draws;
            for (int i = 0; i < 16; ++i) EXPECT_EQ(call->matrix.m[i / 4][i % 4], world.m[i / 4][i % 4]) << yaw;
        }
        EXPECT_GT(draws, before) << yaw;
    }
    EXPECT_EQ(device.count(DeviceCall::Kind::DrawSubset), draws);
}
