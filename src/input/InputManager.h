#pragma once

#include "input/ControlState.h"

#include <array>

class JoystickSet;
class KeyboardState;

// Turns the keyboard and up to two joysticks into the 13 control states,
// rebuilt once per main-loop iteration.
class InputManager {
public:
    static InputManager& instance();
    ~InputManager();

    void initKeyboard();
    void enumerateJoysticks();
    void updateControls();

    // Uses up a player's action press, in the controls and the raw states.
    void consume(ControlKind kind, int player);

    std::array<int, CONTROL_COUNT> controls{};
    KeyboardState* keyboard = nullptr;
    JoystickSet* joysticks = nullptr;

private:
    InputManager();
};
