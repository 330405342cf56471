#pragma once

#include "input/ControlState.h"
#include "platform/KeyboardDevice.h"

#include <array>
#include <string>
#include <vector>

// The keys of each player's controls: W A S D with G and H for player 1, the
// arrows with numeric pad 1 or Right Ctrl and numeric pad 2 or Right Shift
// for player 2, unless the [Keys] section of the settings file says other.
class KeyBindings {
public:
    KeyBindings();

    // Each entry of [Keys] (p1Up ... p2Action2) that names one or more keys
    // SDL knows, separated by commas, replaces that control's keys. An entry
    // with a name SDL does not know is reported on the standard error stream
    // and keeps its keys.
    void read(const std::string& settingsPath);

    const std::vector<Key>& keys(ControlKind kind, int player) const {
        return keys_[controlIndex(kind, player)];
    }

private:
    // Same indices as InputManager::controls (entry 0 unused).
    std::array<std::vector<Key>, CONTROL_COUNT> keys_;
};
