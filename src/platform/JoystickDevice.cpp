#include "platform/JoystickDevice.h"

#include <SDL.h>

namespace {

// The game's own numbering of the buttons is SDL's.
constexpr bool sameButton(PadButton ours, SDL_GameControllerButton sdl) { return int(ours) == int(sdl); }
static_assert(sameButton(PadA, SDL_CONTROLLER_BUTTON_A) && sameButton(PadX, SDL_CONTROLLER_BUTTON_X) &&
              sameButton(PadStart, SDL_CONTROLLER_BUTTON_START) && sameButton(PadUp, SDL_CONTROLLER_BUTTON_DPAD_UP) &&
              sameButton(PadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              sameButton(PadTouchpad, SDL_CONTROLLER_BUTTON_TOUCHPAD));
static_assert(PAD_BUTTON_COUNT == SDL_CONTROLLER_BUTTON_MAX);

class SdlGameController final : public JoystickDevice {
public:
    explicit SdlGameController(SDL_GameController* controller) : controller(controller) {}
    ~SdlGameController() override { SDL_GameControllerClose(controller); }

    bool read(JoystickReading& reading) override {
        SDL_GameControllerUpdate();
        if (!SDL_GameControllerGetAttached(controller)) {
            return false;
        }
        for (int button = 0; button < PAD_BUTTON_COUNT; ++button)
            reading.buttons[button] =
                SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(button)) != 0;
        return true;
    }

private:
    SDL_GameController* controller;
};

// A joystick no mapping knows: its hat is the D-pad, and its first buttons
// stand for the pad's buttons in SDL's order (the three the game used
// before bindings, A, B and X, are its buttons 0, 1 and 2).
class SdlJoystick final : public JoystickDevice {
public:
    explicit SdlJoystick(SDL_Joystick* joystick) : joystick(joystick) {}
    ~SdlJoystick() override { SDL_JoystickClose(joystick); }

    bool read(JoystickReading& reading) override {
        SDL_JoystickUpdate();
        if (!SDL_JoystickGetAttached(joystick)) {
            return false;
        }
        if (SDL_JoystickNumHats(joystick) > 0) {
            const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
            reading.buttons[PadUp] = (hat & SDL_HAT_UP) != 0;
            reading.buttons[PadDown] = (hat & SDL_HAT_DOWN) != 0;
            reading.buttons[PadLeft] = (hat & SDL_HAT_LEFT) != 0;
            reading.buttons[PadRight] = (hat & SDL_HAT_RIGHT) != 0;
        }
        const int buttons = SDL_JoystickNumButtons(joystick);
        for (int i = 0; i < PadUp && i < buttons; ++i) {
            reading.buttons[i] = SDL_JoystickGetButton(joystick, i) != 0;
        }
        return true;
    }

private:
    SDL_Joystick* joystick;
};

}  // namespace

std::unique_ptr<JoystickDevice> openJoystick(int id) {
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) != id) continue;
        if (SDL_IsGameController(index)) {
            if (SDL_GameController* controller = SDL_GameControllerOpen(index))
                return std::make_unique<SdlGameController>(controller);
        } else if (SDL_Joystick* joystick = SDL_JoystickOpen(index)) {
            return std::make_unique<SdlJoystick>(joystick);
        }
        return nullptr;
    }
    return nullptr;
}

std::optional<PadButton> padButtonFromName(const std::string& name) {
    const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
    if (button == SDL_CONTROLLER_BUTTON_INVALID) return std::nullopt;
    return static_cast<PadButton>(button);
}

std::string padButtonName(PadButton button) {
    const char* name = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
    return name ? name : "";
}
