#pragma once

#include "input/ControlState.h"

#include <array>
#include <string>

class JoystickSet;
class KeyboardState;

// Turns the keyboard and up to two joysticks into the 13 control states,
// rebuilt once per main-loop iteration.
class InputManager {
public:
    static InputManager& instance();
    ~InputManager();

    // Reads the players' keys from the settings file and opens the keyboard.
    void initKeyboard(const std::string& settingsPath);
    // Reads the players' pad buttons from the settings file and sets up the
    // pads, with the controller mappings beside it, then keeps watching for
    // pads that come and go.
    void enumerateJoysticks(const std::string& settingsPath);
    void updateControls();

    // Uses up a player's action press, in the controls and the raw states.
    void consume(ControlKind kind, int player);
    // Uses up every press there is, so that the key that left a page or a
    // match does nothing on the next one.
    void consumeAll();
    // Whether any key of the keyboard or any button or direction of a pad is
    // down, bound to a control or not.
    bool anyInput() const;

    std::array<int, CONTROL_COUNT> controls{};
    KeyboardState* keyboard = nullptr;
    JoystickSet* joysticks = nullptr;

private:
    InputManager();
};
