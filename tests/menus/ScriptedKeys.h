#pragma once

#include "input/ControlState.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"

// Keys pressed and released by a test as a person would, through the raw
// keyboard states and the real rules that turn them into control states.
// Without a keyboard device the raw states are left as the test sets them.
class ScriptedKeys {
public:
    ScriptedKeys() {
        // A key held at start-up counts only after release; a test starts
        // with every key up.
        keyboard.states.fill(Released);
        keyboard.escape = Released;
        keyboard.enter = Released;
        input.controls.fill(Released);
    }

    // The key goes down (or stays down): a fresh press becomes Active, a
    // used-up one stays Consumed until released.
    void hold(ControlKind kind, int player) { down(keyboard.states[controlIndex(kind, player)]); }
    void release(ControlKind kind, int player) {
        keyboard.states[controlIndex(kind, player)] = Released;
    }
    void holdReturn() { down(keyboard.enter); }
    void releaseReturn() { keyboard.enter = Released; }
    void holdEscape() { down(keyboard.escape); }
    void releaseEscape() { keyboard.escape = Released; }
    void releaseAll() {
        keyboard.states.fill(Released);
        keyboard.escape = Released;
        keyboard.enter = Released;
    }

    // What the main loop does before each phase step.
    void poll() { input.updateControls(); }

    InputManager& input = InputManager::instance();
    KeyboardState& keyboard = KeyboardState::instance();

private:
    static void down(int& state) {
        if (state == Released) state = Active;
    }
};
