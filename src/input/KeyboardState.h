#pragma once

#include "input/ControlState.h"
#include "input/KeyBindings.h"
#include "platform/KeyboardDevice.h"

#include <array>
#include <memory>

// The raw key states of both players, Escape and Return, updated from the
// keyboard each poll by the press and mask rules.
class KeyboardState {
public:
    static KeyboardState& instance();
    ~KeyboardState();

    // Reads the keyboard once and updates the raw states; a pad's Start
    // button held (padReturn) counts as Return.
    void pollKeyboard(bool padReturn = false);

    int escape = Released;
    int enter = Released;
    // Same indices as InputManager::controls (entry 0 unused). They start
    // Consumed: a key held while the game starts counts only after release.
    std::array<int, CONTROL_COUNT> states{};

    KeyBindings bindings;
    std::unique_ptr<KeyboardDevice> device;
    KeyBuffer keys{};

private:
    KeyboardState();
};
