#pragma once

#include "input/ControlState.h"
#include "scene/Object3D.h"

class Frisbee;
class InputManager;
class Sound;
struct Mesh;

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

// A player's robot: a bottom part (the inherited mesh), a body and a head
// drawn at one place. It runs, dashes, catches, carries and throws the disc.
class Robot : public Object3D {
public:
    // A model other than ModelSmall or ModelBig builds a small robot.
    Robot(int player, int model, double x, double y);

    void draw() override;
    void update(int elapsedMs) override;
    // Looks at the disc, catches it, carries it, releases a pending throw.
    virtual void interact(Frisbee& disc);
    // Free and empty-handed on the start spot, as after every picture message.
    void resetToStart();

    Mesh* headMesh = nullptr;
    Mesh* bodyMesh = nullptr;
    Sound* throwSound = nullptr;
    Sound* moveSound = nullptr;
    Sound* strafSound = nullptr;
    Sound* catchSound = nullptr;
    InputManager* input = nullptr;
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
    bool held(ControlKind kind) const;
    void consume(ControlKind kind);
    void steer();
    void slide(int elapsedMs);
    void throwFlat();
    void lob();
    void turnBottom(int elapsedMs);
    void lookAtDisc();
    void keepInside();
    void runningNoise();
    void drawPart(Mesh* part, float yaw);
};
