#pragma once

#include <bitset>
#include <memory>
#include <optional>
#include <string>

// A pad's buttons, in the order and with the names of SDL's game
// controllers; the D-pad's four directions are buttons too.
enum PadButton : int {
    PadA,
    PadB,
    PadX,
    PadY,
    PadBack,
    PadGuide,
    PadStart,
    PadLeftStick,
    PadRightStick,
    PadLeftShoulder,
    PadRightShoulder,
    PadUp,
    PadDown,
    PadLeft,
    PadRight,
    PadMisc,
    PadPaddle1,
    PadPaddle2,
    PadPaddle3,
    PadPaddle4,
    PadTouchpad,
};
constexpr int PAD_BUTTON_COUNT = PadTouchpad + 1;

// One reading of a pad: the buttons down.
struct JoystickReading {
    std::bitset<PAD_BUTTON_COUNT> buttons;

    bool down(PadButton button) const { return buttons.test(button); }
};

// A joystick, read by polling.
class JoystickDevice {
public:
    virtual ~JoystickDevice() = default;

    // Reads the device now; false when it cannot be read.
    virtual bool read(JoystickReading& reading) = 0;
};

// Opens the joystick with SDL's instance id `id` while a JoystickWatch
// lives (it is closed before the watch goes); null when there is no such
// joystick or it cannot be opened. A pad SDL's controller mappings know
// reads every button by its mapping; any other joystick reads its first hat
// as the D-pad and its buttons 0 to 10 as the buttons before the D-pad.
std::unique_ptr<JoystickDevice> openJoystick(int id);

// The button SDL calls by this name ("a", "dpup", "leftshoulder"), in any
// case; nothing for a name SDL does not know.
std::optional<PadButton> padButtonFromName(const std::string& name);
// SDL's name of the button, as the settings file holds it.
std::string padButtonName(PadButton button);
