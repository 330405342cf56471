#pragma once

#include <array>
#include <cstdint>
#include <memory>

// The key buffer: one byte per DirectInput key code, a key being down when
// bit 7 of its byte is set. Only the keys the game reads are filled in.
using KeyBuffer = std::array<std::uint8_t, 256>;

namespace KeyCode {
constexpr std::uint8_t Escape = 0x01;
constexpr std::uint8_t W = 0x11;
constexpr std::uint8_t Return = 0x1C;
constexpr std::uint8_t A = 0x1E;
constexpr std::uint8_t S = 0x1F;
constexpr std::uint8_t D = 0x20;
constexpr std::uint8_t G = 0x22;
constexpr std::uint8_t H = 0x23;
constexpr std::uint8_t Numpad1 = 0x4F;
constexpr std::uint8_t Numpad2 = 0x50;
constexpr std::uint8_t Up = 0xC8;
constexpr std::uint8_t Left = 0xCB;
constexpr std::uint8_t Right = 0xCD;
constexpr std::uint8_t Down = 0xD0;
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
};

// The system keyboard by physical key position, whatever the layout and the
// Num Lock state.
std::unique_ptr<KeyboardDevice> openKeyboard();
