#include "platform/JoystickDevice.h"

#include <SDL.h>

namespace {

constexpr int BUTTON_COUNT = 3;

// POV in hundredths of a degree clockwise from straight ahead, from the
// vertical (-1 up, 1 down) and horizontal (-1 left, 1 right) directions.
int povFromDirections(bool up, bool right, bool down, bool left) {
    constexpr int POV_BY_DIRECTION[3][3] = {
        {31500, 0, 4500},
        {27000, JoystickReading::POV_CENTRED, 9000},
        {22500, 18000, 13500},
    };
    const int vertical = (up && !down) ? -1 : (down && !up) ? 1 : 0;
    const int horizontal = (right && !left) ? 1 : (left && !right) ? -1 : 0;
    return POV_BY_DIRECTION[vertical + 1][horizontal + 1];
}

class SdlGameController final : public JoystickDevice {
public:
    explicit SdlGameController(SDL_GameController* controller) : controller(controller) {}
    ~SdlGameController() override { SDL_GameControllerClose(controller); }

    bool read(JoystickReading& reading) override {
        SDL_GameControllerUpdate();
        if (!SDL_GameControllerGetAttached(controller)) {
            return false;
        }
        reading.pov = povFromDirections(pressed(SDL_CONTROLLER_BUTTON_DPAD_UP),
                                        pressed(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                                        pressed(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                                        pressed(SDL_CONTROLLER_BUTTON_DPAD_LEFT));
        // Bottom, right and left face buttons.
        reading.buttons = {pressed(SDL_CONTROLLER_BUTTON_A), pressed(SDL_CONTROLLER_BUTTON_B),
                           pressed(SDL_CONTROLLER_BUTTON_X)};
        return true;
    }

private:
    bool pressed(SDL_GameControllerButton button) const {
        return SDL_GameControllerGetButton(controller, button) != 0;
    }

    SDL_GameController* controller;
};

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
            reading.pov = povFromDirections(hat & SDL_HAT_UP, hat & SDL_HAT_RIGHT,
                                            hat & SDL_HAT_DOWN, hat & SDL_HAT_LEFT);
        }
        const int buttons = SDL_JoystickNumButtons(joystick);
        for (int i = 0; i < BUTTON_COUNT && i < buttons; ++i) {
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
