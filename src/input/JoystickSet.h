#pragma once

#include <array>

class JoystickDevice;

// Up to two joysticks, joystick i belonging to player i + 1.
class JoystickSet {
public:
    static JoystickSet& instance();
    ~JoystickSet();

    void pollJoysticks();

    struct State {
        int pov = -1;  // hundredths of a degree clockwise from ahead; -1 centred
        std::array<bool, 3> buttons{};
    };

    std::array<JoystickDevice*, 2> devices{};
    std::array<State, 2> states{};
    int count = 0;

private:
    JoystickSet() = default;
};
