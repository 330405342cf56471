#pragma once

#include "input/ControlState.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "menus/Menu.h"

#include <array>

// Keys held and let go by a test as a person would. Each poll first brings
// the raw key states up to date by the keyboard's rules (a key that is up
// reads Released; a key down turns a Released state Active and leaves a
// used-up one Consumed), then rebuilds the controls by the real rules.
class ScriptedKeys {
public:
    ScriptedKeys() {
        keyboard.states.fill(Released);
        keyboard.escape = Released;
        keyboard.enter = Released;
        input.controls.fill(Released);
    }

    void hold(ControlKind kind, int player) { down[controlIndex(kind, player)] = true; }
    void release(ControlKind kind, int player) { down[controlIndex(kind, player)] = false; }
    void holdReturn() { enterDown = true; }
    void releaseReturn() { enterDown = false; }
    void holdEscape() { escapeDown = true; }
    void releaseEscape() { escapeDown = false; }
    void releaseAll() {
        down.fill(false);
        enterDown = escapeDown = false;
    }

    // What the main loop does before each phase step.
    void poll() {
        for (int i = PAUSE_CONTROL + 1; i < CONTROL_COUNT; ++i) update(down[i], keyboard.states[i]);
        update(enterDown, keyboard.enter);
        update(escapeDown, keyboard.escape);
        input.updateControls();
    }
    // One page step of 33 ms after a poll, and a press of one step and a
    // release of one, as a person taps a key.
    void step(Menu& page) {
        poll();
        page.update(STEP_MS);
    }
    void tap(Menu& page, ControlKind kind, int player) {
        hold(kind, player);
        step(page);
        release(kind, player);
        step(page);
    }

    static constexpr int STEP_MS = 33;

    InputManager& input = InputManager::instance();
    KeyboardState& keyboard = KeyboardState::instance();

private:
    static void update(bool isDown, int& state) {
        if (!isDown)
            state = Released;
        else if (state == Released)
            state = Active;
    }

    std::array<bool, CONTROL_COUNT> down{};
    bool enterDown = false;
    bool escapeDown = false;
};
