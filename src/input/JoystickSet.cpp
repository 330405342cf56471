#include "input/JoystickSet.h"

JoystickSet& JoystickSet::instance() {
    static JoystickSet joystickSet;
    return joystickSet;
}

JoystickSet::~JoystickSet() = default;

void JoystickSet::pollJoysticks() {
    for (int i = 0; i < count; ++i) {
        states[i] = State{};
        if (!devices[i] || !devices[i]->read(states[i])) {
            states[i] = State{};
        }
    }
}
