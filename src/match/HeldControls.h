#pragma once

#include "input/ControlState.h"

#include <cstdint>

// The twelve player controls as a replay keeps them: bit index − 1 set for
// each control that is Active. Only Active counts as pressed in a match, so
// this is all a step reads of them.
inline std::uint16_t heldMask(const ControlStates& controls) {
    std::uint16_t mask = 0;
    for (int index = PAUSE_CONTROL + 1; index < CONTROL_COUNT; ++index)
        if (controls[index] == Active) mask |= static_cast<std::uint16_t>(1u << (index - 1));
    return mask;
}

inline ControlStates controlsFromMask(std::uint16_t mask) {
    ControlStates controls{};
    for (int index = PAUSE_CONTROL + 1; index < CONTROL_COUNT; ++index)
        controls[index] = (mask >> (index - 1)) & 1u ? Active : Released;
    return controls;
}
