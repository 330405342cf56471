#include "input/JoystickSet.h"

JoystickSet& JoystickSet::instance() {
    static JoystickSet joystickSet;
    return joystickSet;
}

JoystickSet::~JoystickSet() { close(); }

void JoystickSet::enumerate(const std::string& mappingsPath) {
    watch = JoystickWatch::start(mappingsPath);
    if (!watch) return;
    for (const int id : watch->attached())
        if (!plug(id)) return;
}

void JoystickSet::pollJoysticks() {
    if (watch) {
        for (const JoystickWatch::Change& change : watch->takeChanges()) {
            if (change.plugged) {
                plug(change.id);
                continue;
            }
            for (int slot = 0; slot < MAX_JOYSTICKS; ++slot)
                if (has(slot) && ids[slot] == change.id) devices[slot].reset();
        }
    }
    for (int slot = 0; slot < MAX_JOYSTICKS; ++slot) {
        states[slot] = State{};
        if (has(slot) && !devices[slot]->read(states[slot])) states[slot] = State{};
    }
}

void JoystickSet::close() {
    // The pads go before the watch that holds SDL's joysticks up.
    for (auto& device : devices) device.reset();
    watch.reset();
}

bool JoystickSet::plug(int id) {
    for (int slot = 0; slot < MAX_JOYSTICKS; ++slot) {
        if (has(slot)) continue;
        devices[slot] = openJoystick(id);
        ids[slot] = id;
        return has(slot);
    }
    return false;
}
