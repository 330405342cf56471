#include "platform/KeyboardDevice.h"

#include <SDL.h>

#include <bitset>
#include <utility>

namespace {

// The game's own names for the keys it binds by default are SDL's scancodes.
static_assert(KeyCode::A == SDL_SCANCODE_A && KeyCode::D == SDL_SCANCODE_D && KeyCode::G == SDL_SCANCODE_G &&
              KeyCode::H == SDL_SCANCODE_H && KeyCode::S == SDL_SCANCODE_S && KeyCode::W == SDL_SCANCODE_W);
static_assert(KeyCode::Return == SDL_SCANCODE_RETURN && KeyCode::Escape == SDL_SCANCODE_ESCAPE &&
              KeyCode::Right == SDL_SCANCODE_RIGHT && KeyCode::Left == SDL_SCANCODE_LEFT &&
              KeyCode::Down == SDL_SCANCODE_DOWN && KeyCode::Up == SDL_SCANCODE_UP);
static_assert(KeyCode::Numpad1 == SDL_SCANCODE_KP_1 && KeyCode::Numpad2 == SDL_SCANCODE_KP_2 &&
              KeyCode::RightCtrl == SDL_SCANCODE_RCTRL && KeyCode::RightShift == SDL_SCANCODE_RSHIFT);
static_assert(KEY_COUNT == SDL_NUM_SCANCODES);

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
        // Physical keys, so the bindings stay in place on any layout; the
        // keypad scancodes are the same whatever the Num Lock state.
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        for (int key = 0; key < count && key < SDL_NUM_SCANCODES; ++key) {
            keys[key] = (state[key] || latched.test(key)) ? KEY_DOWN_BIT : 0;
        }
        latched.reset();
        // Alt+Return belongs to the window (it switches full screen), so it
        // must not also choose in the menus or resume a paused match.
        if (state[SDL_SCANCODE_LALT] || state[SDL_SCANCODE_RALT]) keys[SDL_SCANCODE_RETURN] = 0;
        return true;
    }

    // Like a foreground keyboard: ours only while our window has the focus.
    bool acquire() override { return SDL_GetKeyboardFocus() != nullptr; }

    void setTyping(bool on) override {
        typed.clear();
        SDL_EventState(SDL_TEXTINPUT, on ? SDL_ENABLE : SDL_IGNORE);
        if (on)
            SDL_StartTextInput();
        else
            SDL_StopTextInput();
    }

    std::string takeTyped() override {
        SDL_PumpEvents();
        return std::exchange(typed, std::string());
    }

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
        if (event->type == SDL_TEXTINPUT && self->typed.size() < MAX_TYPED_BYTES) self->typed += event->text.text;
        if (event->type >= SDL_KEYDOWN && event->type <= SDL_TEXTEDITING_EXT) {
            return 0;
        }
        return self->previousFilter ? self->previousFilter(self->previousFilterData, event) : 1;
    }

    // Typed text waits here for the page that asked for it, within reason.
    static constexpr std::size_t MAX_TYPED_BYTES = 256;

    std::bitset<SDL_NUM_SCANCODES> latched;
    std::string typed;
    SDL_EventFilter previousFilter = nullptr;
    void* previousFilterData = nullptr;
};

}  // namespace

std::unique_ptr<KeyboardDevice> openKeyboard() { return std::make_unique<SdlKeyboardDevice>(); }

std::optional<Key> keyFromName(const std::string& name) {
    const SDL_Scancode scancode = SDL_GetScancodeFromName(name.c_str());
    if (scancode == SDL_SCANCODE_UNKNOWN) return std::nullopt;
    return static_cast<Key>(scancode);
}

std::string keyName(Key key) {
    if (key >= KEY_COUNT) return {};
    return SDL_GetScancodeName(static_cast<SDL_Scancode>(key));
}
