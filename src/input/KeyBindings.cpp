#include "input/KeyBindings.h"

namespace {

namespace K = KeyCode;

// By player, then by kind: up, down, left, right, action 1, action 2. Right
// Ctrl and Right Shift sit by the arrows on keyboards without a numeric pad.
const ControlBindings::Codes DEFAULT_KEYS[PLAYER_COUNT][CONTROL_KIND_COUNT] = {
    {{K::W}, {K::S}, {K::A}, {K::D}, {K::G}, {K::H}},
    {{K::Up}, {K::Down}, {K::Left}, {K::Right}, {K::Numpad1, K::RightCtrl}, {K::Numpad2, K::RightShift}},
};

}  // namespace

KeyBindings::KeyBindings() : ControlBindings(SECTION, "key", false, DEFAULT_KEYS) {}

bool KeyBindings::canBind(Key key) {
    if (key == K::Escape || key == K::Return) return false;
    const std::string name = keyName(key);
    return !name.empty() && name.find(',') == std::string::npos && keyFromName(name) == key;
}

std::optional<int> KeyBindings::codeNamed(const std::string& name) const { return keyFromName(name); }

std::string KeyBindings::nameOf(int code) const { return keyName(static_cast<Key>(code)); }
