#include "input/KeyboardState.h"

namespace {

bool isDown(const KeyBuffer& keys, std::uint8_t code) { return (keys[code] & KEY_DOWN_BIT) != 0; }

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

void KeyboardState::pollKeyboard() {
    // Without a keyboard the game runs on joysticks alone.
    if (!device) {
        return;
    }
    keys.fill(0);
    if (!device->read(keys)) {
        // A keyboard that cannot be had keeps its last states.
        if (!device->acquire()) {
            return;
        }
        keys.fill(0);
        if (!device->read(keys)) {
            keys.fill(0);
        }
    }

    auto state = [this](ControlKind kind, int player) -> int& { return states[controlIndex(kind, player)]; };

    updateButton(isDown(keys, KeyCode::Escape), escape);
    updateButton(isDown(keys, KeyCode::Return), enter);

    updateDirection(isDown(keys, KeyCode::W), state(Up, 1), state(Down, 1));
    updateDirection(isDown(keys, KeyCode::S), state(Down, 1), state(Up, 1));
    updateDirection(isDown(keys, KeyCode::A), state(Left, 1), state(Right, 1));
    updateDirection(isDown(keys, KeyCode::D), state(Right, 1), state(Left, 1));
    updateButton(isDown(keys, KeyCode::G), state(Action1, 1));
    updateButton(isDown(keys, KeyCode::H), state(Action2, 1));

    updateDirection(isDown(keys, KeyCode::Up), state(Up, 2), state(Down, 2));
    updateDirection(isDown(keys, KeyCode::Down), state(Down, 2), state(Up, 2));
    updateDirection(isDown(keys, KeyCode::Left), state(Left, 2), state(Right, 2));
    updateDirection(isDown(keys, KeyCode::Right), state(Right, 2), state(Left, 2));
    updateButton(isDown(keys, KeyCode::Numpad1), state(Action1, 2));
    updateButton(isDown(keys, KeyCode::Numpad2), state(Action2, 2));
}
