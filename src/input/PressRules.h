#pragma once

#include "input/ControlState.h"

// How what is held becomes a control state, whoever holds it: the keys and
// pads, or the computer. Rebuilt from the sources each poll.

// A direction pressed wins over its opposite, which comes back when it is
// released.
inline void combineDirection(bool pressed, int& own, int& opposite) {
    if (pressed) {
        if (opposite == Active) opposite = Masked;
        own = Active;
    } else {
        if (opposite == Masked) opposite = Active;
        own = Released;
    }
}

// A held source changes only a Released entry, so a press that a consumer
// used up stays used up while it is held.
inline void combineButton(bool pressed, int& control) {
    if (!pressed) {
        control = Released;
    } else if (control == Released) {
        control = Active;
    }
}
