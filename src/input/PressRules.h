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

// One player's six controls from what is held, bit k for ControlKind k.
inline void combineHeld(unsigned held, int player, ControlStates& controls) {
    const auto isHeld = [held](ControlKind kind) { return (held >> kind & 1u) != 0; };
    const auto control = [&](ControlKind kind) -> int& { return controls[controlIndex(kind, player)]; };
    combineDirection(isHeld(Up), control(Up), control(Down));
    combineDirection(isHeld(Down), control(Down), control(Up));
    combineDirection(isHeld(Left), control(Left), control(Right));
    combineDirection(isHeld(Right), control(Right), control(Left));
    combineButton(isHeld(Action1), control(Action1));
    combineButton(isHeld(Action2), control(Action2));
}
