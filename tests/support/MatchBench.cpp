#include "MatchBench.h"

#include "input/InputManager.h"

namespace {

constexpr double SERVE_X = 4.0;

}  // namespace

MatchBench::MatchBench(int model1, int model2)
    : robot1(1, model1, ROBOT_START_X, 0.0),
      robot2(2, model2, -ROBOT_START_X, 0.0),
      disc(SERVE_X, 0.0, 0.0, 0.0, 0.0, 0.0) {
    disc.state = FrisbeeDropping;
    InputManager::instance().controls.fill(Released);
}

void MatchBench::hold(int player, ControlKind kind, bool down) { held_[player][kind] = down; }

void MatchBench::setControls(int player, const HeldControls& held) {
    held_[player] = {held.up, held.down, held.left, held.right, held.action1, held.action2};
}

void MatchBench::letGoAll() {
    for (auto& player : held_) player.fill(false);
}

void MatchBench::rebuildControls() {
    auto& controls = InputManager::instance().controls;
    for (int player = 1; player <= 2; ++player) {
        for (int kind = Up; kind <= Action2; ++kind) {
            int& control = controls[controlIndex(static_cast<ControlKind>(kind), player)];
            const bool down = held_[player][kind];
            if (kind < Action1) {
                control = down ? Active : Released;
            } else if (!down) {
                control = Released;
            } else if (control == Released) {
                control = Active;
            }
        }
    }
}

int MatchBench::step(int elapsed) {
    rebuildControls();
    robot1.update(elapsed);
    robot2.update(elapsed);
    disc.update(elapsed);
    robot1.interact(disc);
    robot2.interact(disc);

    const int points = disc.points;
    disc.points = 0;
    if (points > 0) {
        const int owner = disc.owner >= 1 && disc.owner <= 2 ? disc.owner : 0;
        score[owner] += points;
        lastPoints = points;
    }
    return points;
}
