#pragma once

#include "input/InputManager.h"
#include "input/JoystickSet.h"
#include "input/KeyboardState.h"
#include "platform/JoystickDevice.h"
#include "platform/KeyboardDevice.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <set>

// A keyboard whose keys the test holds down and lets go.
class FakeKeyboard final : public KeyboardDevice {
public:
    bool read(KeyBuffer& keys) override {
        if (!readable) return false;
        for (Key code : down) keys[code] = KEY_DOWN_BIT;
        return true;
    }
    bool acquire() override { return acquirable; }

    std::set<Key> down;
    bool readable = true, acquirable = true;
};

class FakeJoystick final : public JoystickDevice {
public:
    bool read(JoystickReading& out) override { return readable && (out = reading, true); }

    JoystickReading reading;
    bool readable = true;
};

// The input singletons with fake devices attached: a keyboard and
// `joystickCount` joysticks.
struct FakeInput {
    explicit FakeInput(int joystickCount = 0) {
        input.keyboard->device.reset(keyboard = new FakeKeyboard);
        for (int i = 0; i < joystickCount; ++i) input.joysticks->devices[i].reset(joysticks[i] = new FakeJoystick);
    }

    void poll() { input.updateControls(); }
    // Holds the keys down, or lets them go, and polls once.
    void hold(std::initializer_list<Key> codes) { keyboard->down.insert(codes); poll(); }
    void release(std::initializer_list<Key> codes) {
        for (Key code : codes) keyboard->down.erase(code);
        poll();
    }

    int control(ControlKind kind, int player) const { return input.controls[controlIndex(kind, player)]; }
    int pause() const { return input.controls[PAUSE_CONTROL]; }
    // A player's up, down, left and right controls, in that order.
    std::array<int, 4> directions(int player) const {
        return {control(Up, player), control(Down, player), control(Left, player), control(Right, player)};
    }

    InputManager& input = InputManager::instance();
    FakeKeyboard* keyboard = nullptr;
    FakeJoystick* joysticks[JoystickSet::MAX_JOYSTICKS] = {};
};

using Directions = std::array<int, 4>;
