#pragma once

#include "platform/JoystickDevice.h"

#include <array>
#include <memory>

// Up to two joysticks, joystick i belonging to player i + 1.
class JoystickSet {
public:
    static constexpr int MAX_JOYSTICKS = 2;

    static JoystickSet& instance();
    ~JoystickSet();

    // Reads each joystick set up; one that cannot be read counts as neutral.
    void pollJoysticks();

    using State = JoystickReading;

    std::array<std::unique_ptr<JoystickDevice>, MAX_JOYSTICKS> devices;
    std::array<State, MAX_JOYSTICKS> states{};
    int count = 0;

private:
    JoystickSet() = default;
};
