#pragma once

#include "input/FakeInputDevices.h"
#include "menus/Menu.h"

// Keys held and let go by a test as a person would, on a keyboard read by
// the real keyboard and control rules; a control is held on its first key.
class ScriptedKeys : public FakeInput {
public:
    // Nothing is held at first, so every key counts from its first press.
    explicit ScriptedKeys(int joystickCount = 0) : FakeInput(joystickCount) { poll(); }

    void hold(ControlKind kind, int player) { hold(keyOf(kind, player)); }
    void release(ControlKind kind, int player) { release(keyOf(kind, player)); }
    void hold(Key key) { keyboard->down.insert(key); }
    void release(Key key) { keyboard->down.erase(key); }
    void releaseAll() { keyboard->down.clear(); }

    // One page step of 33 ms after a poll, and a press of one step and a
    // release of one, as a person taps a key.
    void step(Menu& page) { poll(); page.update(STEP_MS); }
    void tap(Menu& page, ControlKind kind, int player) {
        hold(kind, player);
        step(page);
        release(kind, player);
        step(page);
    }

    Key keyOf(ControlKind kind, int player) const { return input.keyboard->bindings.keys(kind, player).front(); }

    static constexpr int STEP_MS = 33;
};
