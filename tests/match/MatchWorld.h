#pragma once

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "match/Game.h"
#include "menus/GameDirectory.h"
#include "match/MenuPhase.h"
#include "match/NotificationPhase.h"
#include "match/PlayPhase.h"
#include "menus/Menu.h"
#include "menus/Notification.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"

#include <functional>
#include <memory>

class Texture;

// The whole game without a window: its own working directory with the
// generated assets, a recording graphics device, the silent sound output,
// the assets loaded as at start-up, and keys pressed through the real
// control rules. Each loop step runs the phase the main loop would.
class MatchWorld {
public:
    MatchWorld();
    ~MatchWorld();

    void loopStep(int stepMs = 33);
    // Loop steps until done() holds after one, at most maxMs of game time;
    // returns whether it held.
    bool runUntil(const std::function<bool()>& done, int maxMs, int stepMs = 33);
    // A key down for one step, then up for one, as a person taps it.
    void tap(ControlKind kind, int player);

    Texture* picture(const char* name) const;
    // The picture of the message on screen, or null.
    Texture* messagePicture() const;
    static bool isPlaying(const Sound* sound);

    // A flat throw already in flight: player's disc at (x, y) moving at
    // (velocityX, velocityY).
    void discInFlight(int player, double x, double y, double velocityX, double velocityY);
    // The disc held by player 1's robot, so the clock runs and nothing scores.
    void discHeldByPlayer1();

    GameDirectory& directory;
    RecordingScreen screen;
    Game& game;
    ScriptedKeys keys;
};
