#include "input/KeyboardState.h"

namespace {

bool isDown(const KeyBuffer& keys, Key key) { return (keys[key] & KEY_DOWN_BIT) != 0; }

bool anyDown(const KeyBuffer& keys, const ControlBindings::Codes& bound) {
    for (const int key : bound)
        if (isDown(keys, static_cast<Key>(key))) return true;
    return false;
}

// Escape, Return and the action keys: a press counts once it is seen with
// the state Released, so a used-up press stays used up until release.
void updateButton(bool down, int& state) {
    if (!down) {
        state = Released;
    } else if (state == Released) {
        state = Active;
    }
}

// Of two opposite direction keys the one pressed last wins; the other
// comes back when the winner is released.
void updateDirection(bool down, int& own, int& opposite) {
    if (down) {
        if (own == Released) {
            if (opposite == Active) {
                opposite = Masked;
            }
            own = Active;
        }
    } else if (own != Released) {
        if (opposite == Masked) {
            opposite = Active;
        }
        own = Released;
    }
}

}  // namespace

KeyboardState& KeyboardState::instance() {
    static KeyboardState keyboardState;
    return keyboardState;
}

KeyboardState::KeyboardState() {
    for (int i = PAUSE_CONTROL + 1; i < CONTROL_COUNT; ++i) {
        states[i] = Consumed;
    }
}

KeyboardState::~KeyboardState() = default;

void KeyboardState::pollKeyboard(bool padReturn) {
    // Without a keyboard the game runs on joysticks alone.
    if (!device) {
        updateButton(padReturn, enter);
        return;
    }
    keys.fill(0);
    if (!device->read(keys)) {
        // A keyboard that cannot be had, as while our window is away, reads
        // as all keys up: nothing stays held for a player who is elsewhere.
        keys.fill(0);
        if (!device->acquire() || !device->read(keys)) keys.fill(0);
    }

    auto state = [this](ControlKind kind, int player) -> int& { return states[controlIndex(kind, player)]; };

    updateButton(isDown(keys, KeyCode::Escape), escape);
    updateButton(isDown(keys, KeyCode::Return) || padReturn, enter);

    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        auto down = [&](ControlKind kind) { return anyDown(keys, bindings.keys(kind, player)); };
        updateDirection(down(Up), state(Up, player), state(Down, player));
        updateDirection(down(Down), state(Down, player), state(Up, player));
        updateDirection(down(Left), state(Left, player), state(Right, player));
        updateDirection(down(Right), state(Right, player), state(Left, player));
        updateButton(down(Action1), state(Action1, player));
        updateButton(down(Action2), state(Action2, player));
    }
}
