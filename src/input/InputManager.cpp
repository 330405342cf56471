#include "input/InputManager.h"

#include "input/JoystickSet.h"
#include "input/KeyboardState.h"
#include "input/PressRules.h"

#include <filesystem>

namespace {

// Game-controller mappings in the community format, beside the settings.
constexpr const char* MAPPINGS_FILE = "gamecontrollerdb.txt";

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
    joysticks->bindings.read(settingsPath);
    joysticks->enumerate(std::filesystem::path(settingsPath).replace_filename(MAPPINGS_FILE).string());
}

void InputManager::updateControls() {
    joysticks->pollJoysticks();
    bool padReturn = false;
    for (int slot = 0; slot < JoystickSet::MAX_JOYSTICKS; ++slot)
        padReturn = padReturn || (joysticks->has(slot) && joysticks->states[slot].down(PadBindings::CHOOSE_BUTTON));
    keyboard->pollKeyboard(padReturn);

    const PadBindings& pad = joysticks->bindings;
    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        const JoystickSet::State neutral;
        const JoystickSet::State& joystick = joysticks->has(player - 1) ? joysticks->states[player - 1] : neutral;
        auto pressed = [&](ControlKind kind) {
            return keyboard->states[controlIndex(kind, player)] == Active || pad.pressed(joystick, kind, player);
        };
        auto control = [&](ControlKind kind) -> int& { return controls[controlIndex(kind, player)]; };

        combineDirection(pressed(Up), control(Up), control(Down));
        combineDirection(pressed(Down), control(Down), control(Up));
        combineDirection(pressed(Left), control(Left), control(Right));
        combineDirection(pressed(Right), control(Right), control(Left));
        combineButton(pressed(Action1), control(Action1));
        combineButton(pressed(Action2), control(Action2));
    }

    // Only the first joystick can pause.
    const bool pauseButton = joysticks->has(0) && joysticks->states[0].down(PadBindings::PAUSE_BUTTON);
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
    for (int slot = 0; slot < JoystickSet::MAX_JOYSTICKS; ++slot)
        if (joysticks->has(slot) && joysticks->states[slot].buttons.any()) return true;
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
