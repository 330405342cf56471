#pragma once

#include "input/ControlBindings.h"
#include "platform/KeyboardDevice.h"

// The keys of each player's controls: W A S D with G and H for player 1, the
// arrows with numeric pad 1 or Right Ctrl and numeric pad 2 or Right Shift
// for player 2, unless the [Keys] section of the settings file says other.
// Keys go by SDL's names of them.
class KeyBindings : public ControlBindings {
public:
    static constexpr const char* SECTION = "Keys";

    KeyBindings();

    const Codes& keys(ControlKind kind, int player) const { return codes(controlIndex(kind, player)); }

    // Whether a player may bind this key from the game: Escape and Return
    // keep their own meaning, and a key must have a name that reads back as
    // itself and holds no comma, to be written in an entry.
    static bool canBind(Key key);

protected:
    std::optional<int> codeNamed(const std::string& name) const override;
    std::string nameOf(int code) const override;
};
