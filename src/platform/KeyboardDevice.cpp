#include "platform/KeyboardDevice.h"

#include <SDL.h>

#include <bitset>

namespace {

struct KeyBinding {
    SDL_Scancode scancode;
    std::uint8_t code;
};

// Physical keys, so the bindings stay in place on any layout; the keypad
// scancodes are the same whatever the Num Lock state.
constexpr KeyBinding BINDINGS[] = {
    {SDL_SCANCODE_ESCAPE, KeyCode::Escape}, {SDL_SCANCODE_RETURN, KeyCode::Return},
    {SDL_SCANCODE_W, KeyCode::W},           {SDL_SCANCODE_S, KeyCode::S},
    {SDL_SCANCODE_A, KeyCode::A},           {SDL_SCANCODE_D, KeyCode::D},
    {SDL_SCANCODE_G, KeyCode::G},           {SDL_SCANCODE_H, KeyCode::H},
    {SDL_SCANCODE_UP, KeyCode::Up},         {SDL_SCANCODE_DOWN, KeyCode::Down},
    {SDL_SCANCODE_LEFT, KeyCode::Left},     {SDL_SCANCODE_RIGHT, KeyCode::Right},
    {SDL_SCANCODE_KP_1, KeyCode::Numpad1},  {SDL_SCANCODE_KP_2, KeyCode::Numpad2},
};

class SdlKeyboardDevice final : public KeyboardDevice {
public:
    // The window leaves keyboard events out of the queue, the game reading
    // the keyboard only by polling; key-downs are let through again to reach
    // the latch, which then keeps them out of the queue itself.
    SdlKeyboardDevice() {
        SDL_GetEventFilter(&previousFilter, &previousFilterData);
        SDL_SetEventFilter(&filterEvent, this);
        SDL_EventState(SDL_KEYDOWN, SDL_ENABLE);
    }
    ~SdlKeyboardDevice() override { SDL_SetEventFilter(previousFilter, previousFilterData); }

    bool read(KeyBuffer& keys) override {
        SDL_PumpEvents();
        if (!acquire()) {
            latched.reset();
            return false;
        }
        const Uint8* state = SDL_GetKeyboardState(nullptr);
        for (const KeyBinding& binding : BINDINGS) {
            if (state[binding.scancode] || latched.test(binding.scancode)) {
                keys[binding.code] = KEY_DOWN_BIT;
            }
        }
        latched.reset();
        return true;
    }

    // Like a foreground keyboard: ours only while our window has the focus.
    bool acquire() override { return SDL_GetKeyboardFocus() != nullptr; }

private:
    // Sees every key-down as SDL takes it from the window system, so that a
    // key pressed and released between two reads still reads as down once.
    // Keyboard events go no further; every other event is left to the filter
    // that was there before.
    static int SDLCALL filterEvent(void* userdata, SDL_Event* event) {
        auto* self = static_cast<SdlKeyboardDevice*>(userdata);
        if (event->type == SDL_KEYDOWN) {
            const SDL_Scancode scancode = event->key.keysym.scancode;
            if (scancode > SDL_SCANCODE_UNKNOWN && scancode < SDL_NUM_SCANCODES) {
                self->latched.set(scancode);
            }
        }
        if (event->type >= SDL_KEYDOWN && event->type <= SDL_TEXTEDITING_EXT) {
            return 0;
        }
        return self->previousFilter ? self->previousFilter(self->previousFilterData, event) : 1;
    }

    std::bitset<SDL_NUM_SCANCODES> latched;
    SDL_EventFilter previousFilter = nullptr;
    void* previousFilterData = nullptr;
};

}  // namespace

std::unique_ptr<KeyboardDevice> openKeyboard() { return std::make_unique<SdlKeyboardDevice>(); }
