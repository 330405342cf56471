#include "input/InputManager.h"

#include "input/JoystickSet.h"
#include "input/KeyboardState.h"
#include "input/PressRules.h"

#include <filesystem>

namespace {

// Game-controller mappings in the community format, beside the settings.
constexpr const char* MAPPINGS_FILE = "gamecontrollerdb.txt";

bool povIsOneOf(int pov, int a, int b, int c) { return pov == a || pov == b || pov == c; }

}  // namespace

InputManager& InputManager::instance() {
    static InputManager inputManager;
    return inputManager;
}

InputManager::InputManager()
    : keyboard(&KeyboardState::instance()), joysticks(&JoystickSet::instance()) {}

InputManager::~InputManager() {
    keyboard->device.reset();
    joysticks->close();
}

void InputManager::initKeyboard(const std::string& settingsPath) {
    keyboard->bindings.read(settingsPath);
    keyboard->device = openKeyboard();
}

void InputManager::enumerateJoysticks(const std::string& settingsPath) {
    joysticks->enumerate(std::filesystem::path(settingsPath).replace_filename(MAPPINGS_FILE).string());
}

void InputManager::updateControls() {
    keyboard->pollKeyboard();
    joysticks->pollJoysticks();

    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        const JoystickSet::State neutral;
        const JoystickSet::State& joystick = joysticks->has(player - 1) ? joysticks->states[player - 1] : neutral;
        const int pov = joystick.pov;
        auto raw = [&](ControlKind kind) { return keyboard->states[controlIndex(kind, player)]; };
        auto control = [&](ControlKind kind) -> int& { return controls[controlIndex(kind, player)]; };

        combineDirection(raw(Up) == Active || povIsOneOf(pov, 0, 4500, 31500), control(Up), control(Down));
        combineDirection(raw(Down) == Active || povIsOneOf(pov, 13500, 18000, 22500), control(Down),
                         control(Up));
        combineDirection(raw(Left) == Active || povIsOneOf(pov, 22500, 27000, 31500), control(Left),
                         control(Right));
        combineDirection(raw(Right) == Active || povIsOneOf(pov, 4500, 9000, 13500), control(Right),
                         control(Left));
        combineButton(raw(Action1) == Active || joystick.buttons[0], control(Action1));
        combineButton(raw(Action2) == Active || joystick.buttons[1], control(Action2));
    }

    // Only the first joystick can pause.
    const bool pauseButton = joysticks->has(0) && joysticks->states[0].buttons[2];
    combineButton(keyboard->escape == Active || pauseButton, controls[PAUSE_CONTROL]);
}

void InputManager::consume(ControlKind kind, int player) {
    const int index = controlIndex(kind, player);
    controls[index] = Consumed;
    keyboard->states[index] = Consumed;
}

bool InputManager::anyInput() const {
    constexpr std::uint8_t KEY_DOWN = 0x80;
    for (std::uint8_t key : keyboard->keys)
        if (key & KEY_DOWN) return true;
    for (int slot = 0; slot < JoystickSet::MAX_JOYSTICKS; ++slot) {
        if (!joysticks->has(slot)) continue;
        const JoystickSet::State& pad = joysticks->states[slot];
        if (pad.pov != JoystickSet::State::POV_CENTRED) return true;
        for (bool button : pad.buttons)
            if (button) return true;
    }
    return false;
}

void InputManager::consumeAll() {
    for (int index = 0; index < CONTROL_COUNT; ++index) {
        if (controls[index] == Active) controls[index] = Consumed;
        if (keyboard->states[index] == Active) keyboard->states[index] = Consumed;
    }
    for (int* key : {&keyboard->escape, &keyboard->enter})
        if (*key == Active) *key = Consumed;
}
