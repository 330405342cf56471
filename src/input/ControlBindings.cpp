#include "input/ControlBindings.h"

#include "platform/Profile.h"

#include <algorithm>
#include <cstdio>

namespace {

// No value read from a file holds a line break.
constexpr const char* ABSENT = "\n";
constexpr std::size_t VALUE_BUFFER_SIZE = 256;
constexpr const char* SEPARATOR = ", ";

// Entry names by kind, after "p1" or "p2".
constexpr const char* KIND_NAMES[CONTROL_KIND_COUNT] = {"Up", "Down", "Left", "Right", "Action1", "Action2"};

std::string trim(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
}

int playerOf(int control) { return (control - 1) % PLAYER_COUNT + 1; }

// A value that starts and ends with the same quote would be read without
// them (the key called "'" alone is safe: it is one character).
std::string quotedForFile(const std::string& value) {
    const bool wrapped = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                         value.back() == value.front();
    return wrapped ? std::string(1, '"').append(value).append(1, '"') : value;
}

}  // namespace

ControlBindings::ControlBindings(const char* section, const char* what, bool movesWithinPlayer,
                                 const Codes (&defaults)[PLAYER_COUNT][CONTROL_KIND_COUNT])
    : section_(section), what_(what), movesWithinPlayer_(movesWithinPlayer) {
    for (int player = 1; player <= PLAYER_COUNT; ++player)
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind)
            defaults_[controlIndex(ControlKind(kind), player)] = defaults[player - 1][kind];
    codes_ = defaults_;
    std::copy(defaults_.begin(), defaults_.end(), inFile_.begin());
}

std::string ControlBindings::entryName(int control) {
    return std::string(1, 'p').append(std::to_string(playerOf(control))).append(KIND_NAMES[(control - 1) / PLAYER_COUNT]);
}

std::optional<ControlBindings::Codes> ControlBindings::parse(const std::string& list, std::string& unknown) const {
    Codes codes;
    if (trim(list).empty()) return codes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string name = trim(list.substr(start, comma - start));
        const std::optional<int> code = codeNamed(name);
        if (!code) {
            unknown = name;
            return std::nullopt;
        }
        codes.push_back(*code);
        if (comma == std::string::npos) return codes;
        start = comma + 1;
    }
}

void ControlBindings::read(const std::string& settingsPath) {
    for (int control = PAUSE_CONTROL + 1; control < CONTROL_COUNT; ++control) {
        const std::string entry = entryName(control);
        const std::string value = getProfileString(section_, entry, ABSENT, VALUE_BUFFER_SIZE, settingsPath);
        if (value == ABSENT) continue;
        std::string unknown;
        inFile_[control] = parse(value, unknown);
        if (inFile_[control]) {
            codes_[control] = *inFile_[control];
        } else {
            std::fprintf(stderr, "korvandeltix: [%s] %s: no %s is called \"%s\"; the default holds\n", section_,
                         entry.c_str(), what_, unknown.c_str());
        }
    }
}

std::vector<int> ControlBindings::bind(int control, int code) {
    std::vector<int> losers;
    for (int other = PAUSE_CONTROL + 1; other < CONTROL_COUNT; ++other) {
        if (other == control || (movesWithinPlayer_ && playerOf(other) != playerOf(control))) continue;
        Codes& codes = codes_[other];
        const auto found = std::find(codes.begin(), codes.end(), code);
        if (found == codes.end()) continue;
        codes.erase(found);
        changed_[other] = true;
        losers.push_back(other);
    }
    codes_[control] = {code};
    changed_[control] = true;
    return losers;
}

void ControlBindings::restoreDefaults() {
    codes_ = defaults_;
    changed_.fill(true);
}

bool ControlBindings::save(const std::string& settingsPath, std::string& failure) {
    for (int control = PAUSE_CONTROL + 1; control < CONTROL_COUNT; ++control) {
        if (!changed_[control]) continue;
        if (inFile_[control] != codes_[control]) {
            if (!writeProfileString(section_, entryName(control), quotedForFile(names(control)), settingsPath,
                                    &failure))
                return false;
            inFile_[control] = codes_[control];
        }
        changed_[control] = false;
    }
    return true;
}

std::string ControlBindings::names(int control) const {
    std::string list;
    for (const int code : codes_[control]) list.append(list.empty() ? "" : SEPARATOR).append(nameOf(code));
    return list;
}
