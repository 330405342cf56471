#include "actors/Frisbee.h"

#include "actors/SoundPosition.h"
#include "assets/MeshManager.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"

#include <cmath>

namespace {

constexpr double DISC_SCALE = 0.2;
constexpr double DISC_TILT = 90.0;  // about x and z: lays the model flat
constexpr double SPIN_DIVISOR = 5.0;
constexpr float LAME_GAIN = 0.3f;
constexpr float ENGAGE_GAIN = 0.5f;

}  // namespace

Frisbee::Frisbee(double x, double y, double z, double velocityX, double velocityY,
                 double velocityZ)
    : Object3D(x, y, z, DISC_SCALE, DISC_SCALE, DISC_SCALE, DISC_TILT, 0.0, DISC_TILT, velocityX,
               velocityY, velocityZ) {
    mesh = MeshManager::instance().loadMesh("frisbee", "Meshes/Frisbee/frisbee.x");

    SoundManager& sounds = SoundManager::instance();
    boundSound = sounds.loadSound("bound", "Sounds/bound.wav", 3, false);
    goalSound = sounds.loadSound("goal", "Sounds/goal.wav", 1, false);
    lameSound = sounds.loadSound("lame", "Sounds/lame.wav", 1, false);
    engageSound = sounds.loadSound("engage", "Sounds/engage.wav", 1, false);
    lameSound->setGain(LAME_GAIN);
    engageSound->setGain(ENGAGE_GAIN);

    // The first appearance is heard with the full y, unlike every serve.
    engageSound->play(soundX(x), y, 0.0);
}

void Frisbee::update(int elapsedMs) {
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
            lameSound->play(0.0, 0.0, 0.0);
        }
        break;
    case FrisbeeScored: {
        const int scorer = owner;
        dropOnServeSpot(scorer);
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
        boundSound->play(soundX(x), soundY(y), 0.0);
    } else if (y < -WALL_Y) {
        y = -WALL_Y;
        velocityY = -velocityY;
        spinPositive = !(velocityX > 0.0);
        boundSound->play(0.0, 0.0, 0.0);
    }

    if (x < -GOAL_LINE_X || x > GOAL_LINE_X) {
        state = FrisbeeScored;
        points = (y > -CENTRE_ZONE_Y && y < CENTRE_ZONE_Y) ? CENTRE_GOAL_POINTS : GOAL_POINTS;
        goalSound->play(0.0, 0.0, 0.0);
    }

    const double spin = t * (std::fabs(velocityX) + std::fabs(velocityY)) / SPIN_DIVISOR;
    rotationY = spinPositive ? rotationY + spin : rotationY - spin;
}

void Frisbee::draw() {
    if (state != FrisbeeHeld && visible) Object3D::draw();
}

void Frisbee::serve(int player) {
    dropOnServeSpot(player);
    points = 0;
    owner = player;
}

void Frisbee::dropOnServeSpot(int player) {
    rotationY = 0.0;
    velocityZ = 0.0;
    velocityY = 0.0;
    velocityX = 0.0;
    z = 0.0;
    y = 0.0;
    state = FrisbeeDropping;
    x = serveSpotX(player);
    engageSound->play(soundX(x), soundY(y), 0.0);
}
