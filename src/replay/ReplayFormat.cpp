#include "replay/ReplayFormat.h"

#include <cstdio>

namespace {

constexpr char FIRST_PRINTABLE = ' ';
constexpr char LAST_PRINTABLE = '~';
// "0x", four hex digits and the closing zero.
constexpr std::size_t HEX_TEXT_SIZE = 8;

}  // namespace

std::string replayHex(unsigned value) {
    char text[HEX_TEXT_SIZE];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string replayHeaderFault(const ReplayHeader& header) {
    if (header.gameVersion.size() > REPLAY_MAX_GAME_VERSION)
        return "the game version is longer than " + std::to_string(REPLAY_MAX_GAME_VERSION) + " bytes";
    for (const char c : header.gameVersion)
        if (c < FIRST_PRINTABLE || c > LAST_PRINTABLE)
            return "the game version holds the byte " + replayHex(static_cast<unsigned char>(c)) + ", not printable";
    for (std::size_t side = 0; side < header.robots.size(); ++side)
        if (header.robots[side] >= REPLAY_ROBOT_MODELS)
            return "player " + std::to_string(side + 1) + " has robot model " + std::to_string(header.robots[side]) +
                   ", neither 0 (small) nor 1 (big)";
    return {};
}

std::string replayStepFault(const ReplayStep& step) {
    if (step.elapsedMs < 0 || step.elapsedMs > REPLAY_MAX_STEP_MS)
        return "a step of " + std::to_string(step.elapsedMs) + " ms, not 0 to " +
               std::to_string(REPLAY_MAX_STEP_MS);
    if ((step.held & ~REPLAY_HELD_BITS) != 0) return "held controls " + replayHex(step.held) + " beyond the twelve";
    return {};
}
