#pragma once

#include <array>
#include <memory>

// One reading of a joystick: the POV direction in hundredths of a degree
// clockwise from straight ahead, diagonals included (POV_CENTRED when none),
// and whether buttons 0 to 2 are down.
struct JoystickReading {
    static constexpr int POV_CENTRED = -1;

    int pov = POV_CENTRED;
    std::array<bool, 3> buttons{};
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
// reads its D-pad as the POV and its A, B and X buttons as buttons 0, 1 and
// 2; any other joystick its first hat and its buttons 0 to 2.
std::unique_ptr<JoystickDevice> openJoystick(int id);
