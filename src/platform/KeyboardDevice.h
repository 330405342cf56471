#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// A key by its position on the keyboard: its USB usage number, which is
// also SDL's scancode.
using Key = std::uint16_t;

constexpr std::size_t KEY_COUNT = 512;

// The key buffer: one byte per key, a key being down when bit 7 of its byte
// is set.
using KeyBuffer = std::array<std::uint8_t, KEY_COUNT>;

namespace KeyCode {
constexpr Key A = 4;
constexpr Key D = 7;
constexpr Key G = 10;
constexpr Key H = 11;
constexpr Key S = 22;
constexpr Key W = 26;
constexpr Key Return = 40;
constexpr Key Backspace = 42;
constexpr Key Escape = 41;
constexpr Key Right = 79;
constexpr Key Left = 80;
constexpr Key Down = 81;
constexpr Key Up = 82;
constexpr Key Numpad1 = 89;
constexpr Key Numpad2 = 90;
constexpr Key RightCtrl = 228;
constexpr Key RightShift = 229;
}  // namespace KeyCode

constexpr std::uint8_t KEY_DOWN_BIT = 0x80;

// The keyboard, read by polling.
class KeyboardDevice {
public:
    virtual ~KeyboardDevice() = default;

    // Fills the key buffer with the keys down now. False when the keyboard
    // cannot be read (our window does not have the keyboard).
    virtual bool read(KeyBuffer& keys) = 0;
    // Tries to regain the keyboard after a failed read.
    virtual bool acquire() = 0;
    // While typing is on, the characters the keys type in the player's
    // layout are kept for takeTyped; a keyboard that cannot type keeps none.
    virtual void setTyping(bool on) { (void)on; }
    virtual std::string takeTyped() { return {}; }
};

// The system keyboard by physical key position, whatever the layout and the
// Num Lock state.
std::unique_ptr<KeyboardDevice> openKeyboard();

// The key SDL calls by this name ("Right Ctrl", "keypad 1"), in any case;
// nothing for a name SDL does not know.
std::optional<Key> keyFromName(const std::string& name);
// SDL's name of the key ("Right Ctrl"); empty for a key it has no name for.
std::string keyName(Key key);
