#pragma once

#include "input/PadBindings.h"
#include "platform/JoystickDevice.h"
#include "platform/JoystickWatch.h"

#include <array>
#include <memory>
#include <string>

// Up to two pads, the one in slot i belonging to player i + 1. Pads present
// at the start fill the slots in the system's order; a pad plugged in later
// goes to the first player without one, and an unplugged pad frees its slot.
class JoystickSet {
public:
    static constexpr int MAX_JOYSTICKS = 2;

    static JoystickSet& instance();
    ~JoystickSet();

    // Starts watching the pads, with the controller mappings file at
    // mappingsPath, and sets up those present in order; one that cannot be
    // set up ends the list, and it and those after it stay unused.
    void enumerate(const std::string& mappingsPath);
    // Takes the pads plugged in and unplugged, then reads each pad set up;
    // one that cannot be read counts as neutral.
    void pollJoysticks();
    // Closes every pad and stops watching.
    void close();

    bool has(int slot) const { return devices[slot] != nullptr; }

    using State = JoystickReading;

    std::unique_ptr<JoystickWatch> watch;
    std::array<std::unique_ptr<JoystickDevice>, MAX_JOYSTICKS> devices;
    // SDL's instance id of the pad in each slot.
    std::array<int, MAX_JOYSTICKS> ids{};
    std::array<State, MAX_JOYSTICKS> states{};
    PadBindings bindings;

private:
    JoystickSet() = default;

    // Sets a pad up in the first free slot; false when there is none or the
    // pad cannot be opened.
    bool plug(int id);
};
