#pragma once

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "input/ControlState.h"

#include <array>

// What a scripted player keeps pressed until told otherwise.
struct HeldControls {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    bool action1 = false;
    bool action2 = false;
};

// Two robots and a disc as a match sets them up (robots at (±6, 0), the disc
// dropping onto (4, 0)), stepped in the order of a play step with scripted
// controls and chosen step lengths. Needs no window and no sound device.
class MatchBench {
public:
    explicit MatchBench(int model1 = ModelBig, int model2 = ModelBig);

    // Presses or lets go of one control of player 1 or 2 from the next step on.
    void hold(int player, ControlKind kind, bool down = true);
    void letGo(int player, ControlKind kind) { hold(player, kind, false); }
    void setControls(int player, const HeldControls& held);
    void letGoAll();

    // One play step: the controls are rebuilt from what is held (a press
    // counts once, until let go), then robot1, robot2 and the disc update and
    // robot1 and robot2 interact with the disc. The disc's points are then
    // taken and credited to its owner, as the match does; returns them.
    int step(int elapsedMs);
    // Steps of stepMs (the last one shorter) until done() holds after a
    // step or maxMs have passed; returns whether done() held.
    template <class Done>
    bool runUntil(Done done, int maxMs, int stepMs = 33) {
        for (int spent = 0; spent < maxMs;) {
            const int t = stepMs < maxMs - spent ? stepMs : maxMs - spent;
            step(t);
            spent += t;
            if (done()) return true;
        }
        return false;
    }
    void run(int ms, int stepMs = 33) {
        runUntil([] { return false; }, ms, stepMs);
    }
    Robot robot1;
    Robot robot2;
    Frisbee disc;
    std::array<int, 3> score{};  // by player number; entry 0 collects points of owner 0
    int lastPoints = 0;          // points of the last step that scored

private:
    void rebuildControls();

    std::array<std::array<bool, 6>, 3> held_{};
};
