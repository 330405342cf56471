#pragma once

#include <array>

// What a control or a raw key state holds. Consumers treat only Active as
// pressed and use a press up by writing Consumed.
enum ControlState : int {
    Released = 0,
    Active = 1,
    Masked = 2,  // still held, but the opposite direction was pressed later and wins
    Consumed = 3,
};

// Index of a player's control in InputManager::controls and of the raw state
// in KeyboardState::states: 2k + player, players numbered 1 and 2.
enum ControlKind : int { Up = 0, Down = 1, Left = 2, Right = 3, Action1 = 4, Action2 = 5 };

constexpr int PLAYER_COUNT = 2;
constexpr int CONTROL_KIND_COUNT = 6;

constexpr int CONTROL_COUNT = 13;
constexpr int PAUSE_CONTROL = 0;

constexpr int controlIndex(ControlKind kind, int player) { return 2 * kind + player; }

// The 13 control states as the match reads them: the pause control, then
// each player's six.
using ControlStates = std::array<int, CONTROL_COUNT>;
