#pragma once

class MatchEvents;

enum FrisbeeState : int {
    FrisbeeGliding = 0,   // flat throw at constant height
    FrisbeeLobbed = 1,    // under gravity until it lands
    FrisbeeHeld = 2,      // carried by a robot: neither moved nor drawn
    FrisbeeDropping = 3,  // falls straight down onto a serve spot
    FrisbeeScored = 4,    // points are pending; the next update serves again
    FrisbeeResting = 5,   // lies on the floor, waiting to be picked up
};

constexpr double GRAVITY = 7.0;  // units per 500 ms, per 500 ms
constexpr double FLOOR_Z = -5.3;
constexpr double WALL_Y = 2.4;
constexpr double GOAL_LINE_X = 6.5;
constexpr double CENTRE_ZONE_Y = 0.6;  // |y| strictly below it on the line is worth more

constexpr int CENTRE_GOAL_POINTS = 5;
constexpr int GOAL_POINTS = 3;
constexpr int LOB_POINTS = 2;

// The disc of a match, as plain data. It moves, rebounds and scores by
// itself; the robots catch, carry and release it by writing its fields.
// What it does for the ears comes out as events.
class Frisbee {
public:
    Frisbee() = default;
    Frisbee(double x, double y, double z, double velocityX, double velocityY, double velocityZ);

    void update(int elapsedMs, MatchEvents& events);
    // Drops the disc on the half of the player's opponent; the player's own
    // robot cannot catch it before it lands.
    void serve(int player, MatchEvents& events);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double rotationY = 0.0;  // its spin, in degrees
    double velocityX = 0.0;
    double velocityY = 0.0;
    double velocityZ = 0.0;
    bool visible = true;
    bool spinPositive = false;
    int state = FrisbeeHeld;
    int owner = 0;   // the player who earns what the disc scores; 0 for nobody
    int points = 0;  // earned by the last event, read and cleared by the match

private:
    // Still, at z = 0 above the serve spot of the given player, and heard.
    void dropOnServeSpot(int player, MatchEvents& events);
};

// x of the serve spot when the given player is the one who scored or served:
// the disc drops on the other half, −4 for player 1 and +4 for player 2.
constexpr int serveSpotX(int player) { return player * 8 - 12; }
