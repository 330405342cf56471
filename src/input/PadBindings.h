#pragma once

#include "input/ControlBindings.h"
#include "platform/JoystickDevice.h"

// The pad buttons of each player's controls on their own pad: the D-pad
// moves, the bottom face button (A) is action 1 and the right one (B)
// action 2, unless the [PadButtons] section of the settings file says
// other. Buttons go by SDL's names of them ("a", "dpup", "leftshoulder").
class PadBindings : public ControlBindings {
public:
    static constexpr const char* SECTION = "PadButtons";
    // The left face button pauses on player 1's pad and takes back a choice
    // on the controls page; Start chooses in the menus, as Return does.
    static constexpr PadButton PAUSE_BUTTON = PadX;
    static constexpr PadButton CHOOSE_BUTTON = PadStart;

    PadBindings();

    // Whether the player's control is held on this reading of their pad.
    bool pressed(const JoystickReading& reading, ControlKind kind, int player) const;

    // The two buttons above keep their meaning; every other can be bound.
    static bool canBind(PadButton button) { return button != PAUSE_BUTTON && button != CHOOSE_BUTTON; }

protected:
    std::optional<int> codeNamed(const std::string& name) const override;
    std::string nameOf(int code) const override;
};
