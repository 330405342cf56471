#include "computer/ComputerChoice.h"

#include "computer/ComputerLevel.h"
#include "platform/Profile.h"

#include <cstdio>
#include <string>

namespace {
constexpr const char* SECTION = "Computer";
constexpr std::size_t VALUE_SIZE = 16;
constexpr int ROBOT_MODELS = 2;

// A whole number from lowest to highest, or the fallback.
int readNumber(const std::string& path, const char* key, int lowest, int highest, int fallback) {
    const std::string text = getProfileString(SECTION, key, "", VALUE_SIZE, path);
    int value = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d%c", &value, &rest) != 1 || value < lowest || value > highest) return fallback;
    return value;
}
}  // namespace

ComputerChoice ComputerChoice::read(const std::string& settingsPath) {
    ComputerChoice choice;
    choice.side = readNumber(settingsPath, "side", 0, 2, 0);
    choice.level = readNumber(settingsPath, "level", 0, COMPUTER_LEVEL_COUNT - 1, choice.level);
    choice.robot = readNumber(settingsPath, "robot", 0, ROBOT_MODELS - 1, choice.robot);
    return choice;
}

void ComputerChoice::write(const std::string& settingsPath) const {
    std::string failure;
    const bool saved = writeProfileString(SECTION, "side", std::to_string(side), settingsPath, &failure) &&
                       writeProfileString(SECTION, "level", std::to_string(level), settingsPath, &failure) &&
                       writeProfileString(SECTION, "robot", std::to_string(robot), settingsPath, &failure);
    if (!saved) std::fprintf(stderr, "korvandeltix: the computer's choice was not saved: %s\n", failure.c_str());
}
