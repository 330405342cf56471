#include "actors/Robot.h"

#include "actors/Frisbee.h"
#include "actors/PortableMath.h"
#include "actors/SoundPosition.h"
#include "match/MatchEvents.h"
#include "scene/Element.h"

#include <algorithm>
#include <cmath>

namespace {

struct ModelValues {
    float throwStrength;
    float speed;
    double reach;  // half size of the catching box, along x and along y
    double reachHeight;
};

constexpr ModelValues SMALL = {1.0f, 1.35f, 0.5, 2.0};
constexpr ModelValues BIG = {1.2f, 1.0f, 0.7, 2.2};

constexpr double WALK = 1.6;      // straight, times speed
constexpr double DIAGONAL = 1.2;  // each component on a diagonal, times speed
constexpr double DASH = 3.0;      // divided by the square root of speed
constexpr double SIDEWAYS_TURN = 90.0;
constexpr double DIAGONAL_TURN = 45.0;

// A throw is allowed once holdTime has fallen below this.
constexpr double THROW_ALLOWED_BELOW = HOLD_TIME_MS - MIN_HOLD_MS;
constexpr double FLAT_POWER = 1.25;
// Flat throw angles in degrees, per player: up with left, up, up with right,
// straight ahead, down with left, down, down with right.
constexpr double THROW_ANGLES[2][7] = {{120.0, 140.0, 160.0, 180.0, -120.0, -140.0, -160.0},
                                       {20.0, 40.0, 60.0, 0.0, -20.0, -40.0, -60.0}};
constexpr int THROW_UP = 0;
constexpr int THROW_STRAIGHT = 3;
constexpr int THROW_DOWN = 4;
// Lob angles in degrees, per player: up, straight ahead, down.
constexpr double LOB_ANGLES[2][3] = {{165.0, 180.0, 195.0}, {15.0, 0.0, -15.0}};
constexpr double LOB_VELOCITY_Z = 10.0;
constexpr double LOB_POWER_MS = 2000.0;
constexpr double LOB_BASE_POWER = 2.0;
constexpr double LOB_RANGE = 7.0;  // the lob's reach grows with (|x| + 1) / 7
constexpr double MS_PER_SECOND = 1000.0;

// The single-precision value of 180 / π, used in double precision.
constexpr double RAD_TO_DEG = static_cast<float>(57.29577951308232);

constexpr double HEADING_PLAYER_1 = 180.0;
constexpr double HEADING_PLAYER_2 = 0.0;

// The single-precision value of π / 180, used in double precision.
constexpr double DEG_TO_RAD = 0.017453292f;

constexpr double SIDE_Y = 2.25;
constexpr double SIDE_Y_INSIDE = 2.249;
constexpr double FAR_X_PLAYER_1 = 5.9;
constexpr double FAR_X_PLAYER_1_INSIDE = 5.89;
constexpr double FAR_X_PLAYER_2 = -6.0;
constexpr double FAR_X_PLAYER_2_INSIDE = -5.99;
constexpr double CENTRE_X = 1.0;
constexpr double CENTRE_X_INSIDE = 1.01;

constexpr double CATCH_FLOOR_Z = -5.5;
constexpr double CARRY_OFFSET = 0.1;  // the disc rides just in front of the robot
constexpr double RELEASE_Z = -4.9;

constexpr double PITCH_DIVISOR = 3.0;

double applyFriction(double v, double t) {
    if (v > -STOP_THRESHOLD && v < STOP_THRESHOLD) return 0.0;
    return v > 0.0 ? v - FRICTION * t / VELOCITY_TIME_UNIT : v + FRICTION * t / VELOCITY_TIME_UNIT;
}


}  // namespace

Robot::Robot(int player, int model, double x, double y) : x(x), y(y) {
    // Only the two models exist; anything else gets the small one rather
    // than meshes under empty names and a robot that cannot catch.
    if (model != ModelBig) model = ModelSmall;
    const ModelValues& values = model == ModelBig ? BIG : SMALL;
    throwStrength = values.throwStrength;
    speed = values.speed;
    reachX = values.reach;
    reachY = values.reach;
    reachHeight = values.reachHeight;

    state = RobotFree;
    this->player = player;
    this->model = model;
    heading = player == 1 ? HEADING_PLAYER_1 : HEADING_PLAYER_2;
}

bool Robot::held(const ControlStates& controls, ControlKind kind) const {
    return controls[controlIndex(kind, player)] == Active;
}

void Robot::consume(ControlStates& controls, ControlKind kind) const {
    controls[controlIndex(kind, player)] = Consumed;
}

void Robot::update(int elapsedMs, ControlStates& controls, MatchEvents& events) {
    switch (state) {
    case RobotFree:
        steer(controls, events);
        break;
    case RobotDashing:
    case RobotHolding:
        slide(elapsedMs, controls, events);
        break;
    default:
        break;
    }
    turnBottom(elapsedMs);
    lookAtDisc();

    const double t = elapsedMs;
    x = x + t * velocityX / VELOCITY_TIME_UNIT;
    y = y + t * velocityY / VELOCITY_TIME_UNIT;
    z = z + t * velocityZ / VELOCITY_TIME_UNIT;

    keepInside();
    runningNoise(events);
}

void Robot::steer(ControlStates& controls, MatchEvents& events) {
    // Up moves toward +y and left toward +x for both players; the turn target
    // is relative to the heading, which differs between the players.
    const double s = speed;
    const double side = player == 1 ? 1.0 : -1.0;
    velocityX = 0.0;
    velocityY = 0.0;
    turnTarget = 0.0;
    const bool up = held(controls, Up);
    const bool down = !up && held(controls, Down);
    const bool left = held(controls, Left);
    const bool right = !left && held(controls, Right);
    if (up || down) {
        const double dirY = up ? 1.0 : -1.0;
        if (left || right) {
            const double dirX = left ? 1.0 : -1.0;
            velocityX = dirX * DIAGONAL * s;
            velocityY = dirY * DIAGONAL * s;
            turnTarget = dirX * dirY * DIAGONAL_TURN;
        } else {
            velocityY = dirY * WALK * s;
            turnTarget = -side * dirY * SIDEWAYS_TURN;
        }
    } else if (left || right) {
        velocityX = (left ? 1.0 : -1.0) * WALK * s;
    }

    if (held(controls, Action1) && (velocityX != 0.0 || velocityY != 0.0)) {
        state = RobotDashing;
        const float f = static_cast<float>(std::sqrt(s));
        const double k = DASH / f;
        velocityX = velocityX * k;
        velocityY = velocityY * k;
        events.add(MatchEventKind::Dash, player);
    }
}

void Robot::slide(int elapsedMs, ControlStates& controls, MatchEvents& events) {
    const double t = elapsedMs;
    const int before = state;
    velocityX = applyFriction(velocityX, t);
    velocityY = applyFriction(velocityY, t);
    if (before == RobotDashing && velocityX == 0.0 && velocityY == 0.0) {
        state = RobotFree;
        // The button must be let go before it dashes again.
        consume(controls, Action1);
    }
    if (state != RobotHolding) return;

    const bool wantsThrow = held(controls, Action1) || held(controls, Action2) || holdTime <= 0.0;
    if (wantsThrow && holdTime < THROW_ALLOWED_BELOW) throwFlat(controls, events);
    if (held(controls, Action2) && holdTime < THROW_ALLOWED_BELOW) lob(controls);

    holdTime = holdTime - t;
    if (holdTime < 0.0) holdTime = 0.0;
}

void Robot::throwFlat(ControlStates& controls, MatchEvents& events) {
    const int side = player == 1 ? 0 : 1;
    int column = THROW_STRAIGHT;
    const bool up = held(controls, Up);
    if (up || held(controls, Down)) {
        // Left and right only bend a throw that goes up or down.
        const int lateral = held(controls, Left) ? 0 : held(controls, Right) ? 2 : 1;
        column = (up ? THROW_UP : THROW_DOWN) + lateral;
    }
    const double a = THROW_ANGLES[side][column] * DEG_TO_RAD;
    // Strongest when thrown early, weakest when forced.
    const double power = (holdTime / MS_PER_SECOND + 1.0) * FLAT_POWER;
    throwVelocityX = portableCos(a) * power * throwStrength;
    throwVelocityY = portableSin(a) * power * throwStrength;
    events.add(MatchEventKind::Throw, player, soundX(x), soundY(y));
    consume(controls, Action1);
}

void Robot::lob(ControlStates& controls) {
    const int side = player == 1 ? 0 : 1;
    const int column = held(controls, Up) ? 0 : held(controls, Down) ? 2 : 1;
    const double a = LOB_ANGLES[side][column] * DEG_TO_RAD;
    throwVelocityZ = LOB_VELOCITY_Z;
    // The farther from the centre line, the longer the lob.
    const double d = (std::fabs(x) + 1.0) / LOB_RANGE;
    const double power = holdTime / LOB_POWER_MS + LOB_BASE_POWER;
    throwVelocityX = portableCos(a) * power * d;
    throwVelocityY = portableSin(a) * power * d;
    consume(controls, Action2);
}

void Robot::turnBottom(int elapsedMs) {
    const double d = rotationY - turnTarget;
    if (d > -SNAP_WINDOW && d < SNAP_WINDOW) {
        rotationY = turnTarget;
    } else if (turnTarget < rotationY) {
        rotationY = rotationY - TURN_RATE * elapsedMs;
    } else {
        rotationY = rotationY + TURN_RATE * elapsedMs;
    }
}

void Robot::lookAtDisc() {
    const double dx = discX - x;
    const double dy = discY - y;
    const double r = std::sqrt(dx * dx + dy * dy);
    // On top of the disc there is no direction: the head stays as it was.
    if (r == 0.0) return;
    double a = portableAcos(std::min(1.0, std::fabs(dx) / r)) * RAD_TO_DEG;
    if (dy < 0.0) a = -a;
    if (dx < 0.0) a = 180.0 - a;
    headYaw = a;
}

void Robot::keepInside() {
    const auto stop = [this] {
        velocityX = 0.0;
        velocityY = 0.0;
    };
    if (y > SIDE_Y) {
        y = SIDE_Y_INSIDE;
        stop();
    }
    if (y < -SIDE_Y) {
        y = -SIDE_Y_INSIDE;
        stop();
    }
    if (x > FAR_X_PLAYER_1) {
        x = FAR_X_PLAYER_1_INSIDE;
        stop();
    }
    if (x < FAR_X_PLAYER_2) {
        x = FAR_X_PLAYER_2_INSIDE;
        stop();
    }
    if (player == 2 && x > -CENTRE_X) {
        x = -CENTRE_X_INSIDE;
        stop();
    }
    if (player == 1 && x < CENTRE_X) {
        x = CENTRE_X_INSIDE;
        stop();
    }
}

void Robot::runningNoise(MatchEvents& events) const {
    MatchEvent running;
    running.kind = MatchEventKind::Running;
    running.player = player;
    running.soundX = soundX(x);
    running.soundY = soundY(y);
    running.pitch = (velocityX * velocityX + velocityY * velocityY) / PITCH_DIVISOR;
    events.add(running);
}

void Robot::interact(Frisbee& disc, MatchEvents& events) {
    discX = disc.x;
    discY = disc.y;

    if (state == RobotFree || state == RobotDashing) {
        const bool inReach = x - reachX < disc.x && disc.x < x + reachX && y - reachY < disc.y &&
                             disc.y < y + reachY && CATCH_FLOOR_Z < disc.z &&
                             disc.z < reachHeight + CATCH_FLOOR_Z;
        // Never its own throw, nor a disc served against it before it lands.
        const bool catchable =
            disc.owner != player && disc.state != FrisbeeHeld && disc.state != FrisbeeScored;
        if (inReach && catchable) {
            disc.x = 0.0;
            disc.y = 0.0;
            disc.z = 0.0;
            disc.velocityX = 0.0;
            disc.velocityY = 0.0;
            disc.velocityZ = 0.0;
            disc.rotationY = 0.0;
            disc.owner = 0;
            disc.state = FrisbeeHeld;
            disc.owner = player;
            holdTime = HOLD_TIME_MS;
            // A robot caught in a dash slides on under friction.
            state = RobotHolding;
            events.add(MatchEventKind::Catch, player);
        }
    }

    if (state == RobotHolding) {
        disc.x = player == 1 ? x - CARRY_OFFSET : x + CARRY_OFFSET;
        disc.y = y;
        if (throwVelocityX != 0.0) {
            disc.velocityX = throwVelocityX;
            disc.velocityY = throwVelocityY;
            disc.z = RELEASE_Z;
            state = RobotFree;
            if (throwVelocityZ != 0.0) {
                disc.state = FrisbeeLobbed;
                disc.velocityZ = throwVelocityZ;
            } else {
                disc.state = FrisbeeGliding;
            }
            throwVelocityX = 0.0;
            throwVelocityY = 0.0;
            throwVelocityZ = 0.0;
        }
    }
}

void Robot::resetToStart() {
    state = RobotFree;
    headYaw = 0.0;
    turnTarget = 0.0;
    discX = 0.0;
    discY = 0.0;
    throwVelocityX = 0.0;
    throwVelocityY = 0.0;
    throwVelocityZ = 0.0;
    holdTime = 0.0;
    x = player == 1 ? ROBOT_START_X : -ROBOT_START_X;
    y = 0.0;
}
