#include "input/KeyBindings.h"

#include "platform/Profile.h"

#include <cstdio>
#include <optional>

namespace {

constexpr const char* SECTION = "Keys";
// No value read from a file holds a line break.
constexpr const char* ABSENT = "\n";
constexpr std::size_t VALUE_BUFFER_SIZE = 256;

// Entry names by kind, after "p1" or "p2".
constexpr const char* KIND_NAMES[CONTROL_KIND_COUNT] = {"Up", "Down", "Left", "Right", "Action1", "Action2"};

std::string trim(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
}

// The keys named in a comma-separated list, or the first name SDL does not
// know.
std::optional<std::vector<Key>> parseKeys(const std::string& list, std::string& unknown) {
    std::vector<Key> keys;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string name = trim(list.substr(start, comma - start));
        const std::optional<Key> key = keyFromName(name);
        if (!key) {
            unknown = name;
            return std::nullopt;
        }
        keys.push_back(*key);
        if (comma == std::string::npos) return keys;
        start = comma + 1;
    }
}

}  // namespace

KeyBindings::KeyBindings() {
    namespace K = KeyCode;
    // By kind: up, down, left, right, action 1, action 2. Right Ctrl and
    // Right Shift sit by the arrows on keyboards without a numeric pad.
    const std::vector<Key> defaults[PLAYER_COUNT][CONTROL_KIND_COUNT] = {
        {{K::W}, {K::S}, {K::A}, {K::D}, {K::G}, {K::H}},
        {{K::Up}, {K::Down}, {K::Left}, {K::Right}, {K::Numpad1, K::RightCtrl}, {K::Numpad2, K::RightShift}},
    };
    for (int player = 1; player <= PLAYER_COUNT; ++player)
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind)
            keys_[controlIndex(ControlKind(kind), player)] = defaults[player - 1][kind];
}

void KeyBindings::read(const std::string& settingsPath) {
    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) {
            const std::string entry = std::string(1, 'p').append(std::to_string(player)).append(KIND_NAMES[kind]);
            const std::string value = getProfileString(SECTION, entry, ABSENT, VALUE_BUFFER_SIZE, settingsPath);
            if (value == ABSENT) continue;
            std::string unknown;
            if (std::optional<std::vector<Key>> keys = parseKeys(value, unknown)) {
                keys_[controlIndex(ControlKind(kind), player)] = std::move(*keys);
            } else {
                std::fprintf(stderr, "korvandeltix: [%s] %s: no key is called \"%s\"; keeping its default keys\n",
                             SECTION, entry.c_str(), unknown.c_str());
            }
        }
    }
}
