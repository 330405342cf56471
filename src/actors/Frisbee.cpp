#include "actors/Frisbee.h"

#include "actors/SoundPosition.h"
#include "match/MatchEvents.h"
#include "scene/Element.h"

#include <cmath>

namespace {

constexpr double SPIN_DIVISOR = 5.0;

}  // namespace

Frisbee::Frisbee(double x, double y, double z, double velocityX, double velocityY, double velocityZ)
    : x(x), y(y), z(z), velocityX(velocityX), velocityY(velocityY), velocityZ(velocityZ) {}

void Frisbee::update(int elapsedMs, MatchEvents& events) {
    const double t = elapsedMs;

    switch (state) {
    case FrisbeeDropping:
        velocityZ = velocityZ - GRAVITY * t / VELOCITY_TIME_UNIT;
        // The height tested is the one from before this update's move.
        if (z < FLOOR_Z) {
            z = FLOOR_Z;
            state = FrisbeeResting;
            owner = 0;
            velocityZ = 0.0;
        }
        break;
    case FrisbeeLobbed:
        velocityZ = velocityZ - GRAVITY * t / VELOCITY_TIME_UNIT;
        if (z < FLOOR_Z) {
            // It lands but still slides this update, and may yet cross a line.
            z = FLOOR_Z;
            state = FrisbeeScored;
            points = LOB_POINTS;
            velocityZ = 0.0;
            MatchEvent landed;
            landed.kind = MatchEventKind::LobLanded;
            landed.player = owner;
            landed.points = LOB_POINTS;
            events.add(landed);
        }
        break;
    case FrisbeeScored: {
        const int scorer = owner;
        dropOnServeSpot(scorer, events);
        owner = 0;
        break;
    }
    default:
        break;
    }
    if (state == FrisbeeHeld) return;

    x = x + t * velocityX / VELOCITY_TIME_UNIT;
    y = y + t * velocityY / VELOCITY_TIME_UNIT;
    z = z + t * velocityZ / VELOCITY_TIME_UNIT;

    if (y > WALL_Y) {
        y = WALL_Y;
        velocityY = -velocityY;
        spinPositive = velocityX > 0.0;
        events.add(MatchEventKind::Rebound, 0, soundX(x), soundY(y));
    } else if (y < -WALL_Y) {
        y = -WALL_Y;
        velocityY = -velocityY;
        spinPositive = !(velocityX > 0.0);
        // The lower wall has always been heard at the listener.
        events.add(MatchEventKind::Rebound, 0);
    }

    if (x < -GOAL_LINE_X || x > GOAL_LINE_X) {
        state = FrisbeeScored;
        points = (y > -CENTRE_ZONE_Y && y < CENTRE_ZONE_Y) ? CENTRE_GOAL_POINTS : GOAL_POINTS;
        MatchEvent goal;
        goal.kind = MatchEventKind::Goal;
        goal.player = owner;
        goal.points = points;
        events.add(goal);
    }

    const double spin = t * (std::fabs(velocityX) + std::fabs(velocityY)) / SPIN_DIVISOR;
    rotationY = spinPositive ? rotationY + spin : rotationY - spin;
}

void Frisbee::serve(int player, MatchEvents& events) {
    dropOnServeSpot(player, events);
    points = 0;
    owner = player;
}

void Frisbee::dropOnServeSpot(int player, MatchEvents& events) {
    rotationY = 0.0;
    velocityZ = 0.0;
    velocityY = 0.0;
    velocityX = 0.0;
    z = 0.0;
    y = 0.0;
    state = FrisbeeDropping;
    x = serveSpotX(player);
    events.add(MatchEventKind::Serve, 0, soundX(x), soundY(y));
}
