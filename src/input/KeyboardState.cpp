#include "input/KeyboardState.h"

namespace {

// Each player's keys, by position: W A S D with G and H on the left of the
// keyboard, the arrows with numeric pad 1 and 2 on the right.
struct PlayerKeys {
    std::uint8_t up, down, left, right, action1, action2;
};
constexpr PlayerKeys PLAYER_KEYS[2] = {
    {KeyCode::W, KeyCode::S, KeyCode::A, KeyCode::D, KeyCode::G, KeyCode::H},
    {KeyCode::Up, KeyCode::Down, KeyCode::Left, KeyCode::Right, KeyCode::Numpad1, KeyCode::Numpad2},
};

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

    for (int player = 1; player <= 2; ++player) {
        const PlayerKeys& own = PLAYER_KEYS[player - 1];
        updateDirection(isDown(keys, own.up), state(Up, player), state(Down, player));
        updateDirection(isDown(keys, own.down), state(Down, player), state(Up, player));
        updateDirection(isDown(keys, own.left), state(Left, player), state(Right, player));
        updateDirection(isDown(keys, own.right), state(Right, player), state(Left, player));
        updateButton(isDown(keys, own.action1), state(Action1, player));
        updateButton(isDown(keys, own.action2), state(Action2, player));
    }
}
