#include "shell/Config.h"

#include "platform/Profile.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <optional>

namespace {

constexpr const char* SECTION = "Screen";
constexpr const char* SOUND_SECTION = "Sound";
constexpr const char* ABSENT = "none";
constexpr std::size_t VALUE_BUFFER_SIZE = 128;

// The number at the start of text as atoi reads it (leading blanks, a sign,
// then decimal digits up to the first other character), or nothing when
// there are no digits or the number does not fit in an int.
std::optional<int> leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}

// Reads one key into both copies of a setting. An absent key leaves both
// as they are; so does a size that gives no window (zero, negative, not a
// number or too large) when minimum says what a usable value is.
void readKey(const char* key, int& value, int& saved, std::optional<int> minimum) {
    const std::string text =
        getProfileString(SECTION, key, ABSENT, VALUE_BUFFER_SIZE, Config::filePath);
    if (text == ABSENT) return;
    std::optional<int> number = leadingNumber(text);
    if (minimum) {
        if (!number || *number < *minimum) return;
    } else if (!number) {
        number = 0;
    }
    value = *number;
    saved = *number;
}

// A volume is a whole number from 0 to the top of the scale, and nothing
// else: any other text is reported in one line and the setting keeps its
// value.
void readVolume(const char* key, int& volume) {
    const std::string text = getProfileString(SOUND_SECTION, key, ABSENT, VALUE_BUFFER_SIZE, Config::filePath);
    if (text == ABSENT) return;
    int number = -1;
    const char* end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, number);
    if (read.ec == std::errc() && read.ptr == end && number >= 0 && number <= SoundManager::MAX_VOLUME) {
        volume = number;
        return;
    }
    std::fprintf(stderr, "korvandeltix: [%s] %s: \"%s\" is no volume from 0 to %d; %d holds\n", SOUND_SECTION, key,
                 text.c_str(), SoundManager::MAX_VOLUME, volume);
}

void saveKey(const char* section, const char* key, const std::string& value) {
    std::string failure;
    if (!writeProfileString(section, key, value, Config::filePath, &failure))
        std::fprintf(stderr, "korvandeltix: the settings could not be saved to %s (%s)\n", Config::filePath.c_str(),
                     failure.c_str());
}

}  // namespace

Config& Config::instance() {
    static Config config;
    return config;
}

Config::Config() { readConfig(); }

void Config::readConfig() {
    constexpr int MINIMUM_SIZE = 1;
    if (const std::string problem = profileFileProblem(filePath); !problem.empty())
        std::fprintf(stderr, "korvandeltix: the settings in %s are not used (%s); the defaults hold\n",
                     filePath.c_str(), problem.c_str());
    readKey("width", width, savedWidth, MINIMUM_SIZE);
    readKey("height", height, savedHeight, MINIMUM_SIZE);
    readKey("fullscreen", fullscreen, savedFullscreen, std::nullopt);
    readKey("multisample", multisample, savedMultisample, std::nullopt);
    readVolume("music", musicVolume);
    readVolume("effects", effectsVolume);
}

void Config::saveConfig(int newWidth, int newHeight, bool newFullscreen, int newMultisample) {
    savedWidth = newWidth;
    savedHeight = newHeight;
    savedFullscreen = newFullscreen ? 1 : 0;
    savedMultisample = newMultisample;
    // Each key is saved on its own; the first that fails is reported, and the
    // new values still show on the options page for the rest of the run.
    std::string failure;
    const bool saved = writeProfileString(SECTION, "width", std::to_string(newWidth), filePath, &failure) &&
                       writeProfileString(SECTION, "height", std::to_string(newHeight), filePath, &failure) &&
                       writeProfileString(SECTION, "multisample", std::to_string(newMultisample), filePath,
                                          &failure) &&
                       writeProfileString(SECTION, "fullscreen", newFullscreen ? "1" : "0", filePath, &failure);
    if (!saved)
        std::fprintf(stderr, "korvandeltix: the settings could not be saved to %s (%s)\n", filePath.c_str(),
                     failure.c_str());
}

void Config::saveVolumes(int newMusicVolume, int newEffectsVolume) {
    if (newMusicVolume != musicVolume) saveKey(SOUND_SECTION, "music", std::to_string(newMusicVolume));
    if (newEffectsVolume != effectsVolume) saveKey(SOUND_SECTION, "effects", std::to_string(newEffectsVolume));
    musicVolume = newMusicVolume;
    effectsVolume = newEffectsVolume;
}
