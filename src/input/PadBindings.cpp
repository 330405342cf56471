#include "input/PadBindings.h"

namespace {

// The same for both players, by kind: up, down, left, right, action 1,
// action 2.
const ControlBindings::Codes DEFAULT_BUTTONS[PLAYER_COUNT][CONTROL_KIND_COUNT] = {
    {{PadUp}, {PadDown}, {PadLeft}, {PadRight}, {PadA}, {PadB}},
    {{PadUp}, {PadDown}, {PadLeft}, {PadRight}, {PadA}, {PadB}},
};

}  // namespace

PadBindings::PadBindings() : ControlBindings(SECTION, "pad button", true, DEFAULT_BUTTONS) {}

bool PadBindings::pressed(const JoystickReading& reading, ControlKind kind, int player) const {
    for (const int button : codes(controlIndex(kind, player)))
        if (reading.down(static_cast<PadButton>(button))) return true;
    return false;
}

std::optional<int> PadBindings::codeNamed(const std::string& name) const { return padButtonFromName(name); }

std::string PadBindings::nameOf(int code) const { return padButtonName(static_cast<PadButton>(code)); }
