#pragma once

#include <cstdint>

// One step of a match: its milliseconds and which of the twelve player
// controls were held (bit index-1 set for control index 1..12; index 0 is
// the pause control, never recorded).
struct ReplayStep {
    int elapsedMs = 0;
    std::uint16_t held = 0;

    bool operator==(const ReplayStep&) const = default;
};

// No step is longer; longer ones are refused.
constexpr int REPLAY_MAX_STEP_MS = 33;
