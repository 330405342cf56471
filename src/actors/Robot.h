#pragma once

#include "input/ControlState.h"

class Frisbee;
class MatchEvents;

enum RobotState : int {
    RobotFree = 0,     // steered by the controls; may dash and catch
    RobotDashing = 1,  // slides under friction, controls ignored; may catch
    RobotHolding = 2,  // holds the disc: slides under friction, aims and throws
};

enum RobotModel : int { ModelSmall = 0, ModelBig = 1 };

constexpr double ROBOT_START_X = 6.0;  // player 1 at +6, player 2 at −6
constexpr double ROBOT_Z = -5.0;
constexpr double ROBOT_SCALE = 0.3;

constexpr double FRICTION = 4.0;        // units per 500 ms, per 500 ms
constexpr double STOP_THRESHOLD = 0.5;  // a slower component stops at once
constexpr double TURN_RATE = 0.4;       // degrees per ms, of the bottom part
constexpr double SNAP_WINDOW = 10.0;    // degrees; closer than this, the turn snaps
constexpr double HOLD_TIME_MS = 4000.0;  // a held disc is thrown by force after this
constexpr double MIN_HOLD_MS = 300.0;    // no throw in the first moments after a catch

// A player's robot, as plain data: it runs, dashes, catches, carries and
// throws the disc, steered by its player's six controls. What it does for
// the ears comes out as events.
class Robot {
public:
    Robot() = default;
    // A model other than ModelSmall or ModelBig builds a small robot.
    Robot(int player, int model, double x, double y);

    // Reads its player's controls and uses up the presses it acts on.
    void update(int elapsedMs, ControlStates& controls, MatchEvents& events);
    // Looks at the disc, catches it, carries it, releases a pending throw.
    void interact(Frisbee& disc, MatchEvents& events);
    // Free and empty-handed on the start spot, as after every picture message.
    void resetToStart();

    double x = 0.0;
    double y = 0.0;
    double z = ROBOT_Z;
    double rotationY = 0.0;  // of the bottom part, relative to heading
    double velocityX = 0.0;
    double velocityY = 0.0;
    double velocityZ = 0.0;
    double discX = 0.0;
    double discY = 0.0;
    double headYaw = 0.0;
    double reachX = 0.0;
    double reachY = 0.0;
    double reachHeight = 0.0;  // top of the catching box, from z = −5.5
    int state = RobotFree;
    int player = 1;
    int model = ModelSmall;
    float throwStrength = 0.0f;
    float speed = 0.0f;
    double heading = 0.0;  // 180 for player 1, 0 for player 2: toward the other half
    double holdTime = 0.0;
    double throwVelocityX = 0.0;  // 0: no throw pending
    double throwVelocityY = 0.0;
    double throwVelocityZ = 0.0;  // non-zero only for a lob
    double turnTarget = 0.0;      // relative to heading

private:
    bool held(const ControlStates& controls, ControlKind kind) const;
    void consume(ControlStates& controls, ControlKind kind) const;
    void steer(ControlStates& controls, MatchEvents& events);
    void slide(int elapsedMs, ControlStates& controls, MatchEvents& events);
    void throwFlat(ControlStates& controls, MatchEvents& events);
    void lob(ControlStates& controls);
    void turnBottom(int elapsedMs);
    void lookAtDisc();
    void keepInside();
    void runningNoise(MatchEvents& events) const;
};
