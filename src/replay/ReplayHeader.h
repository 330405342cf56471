#pragma once

#include <array>
#include <cstdint>
#include <string>

// Who plays a side, as a replay keeps it.
enum ReplayController : std::uint8_t { REPLAY_PERSON = 0, REPLAY_COMPUTER = 1 };

// What decides a match besides the players' controls.
struct ReplayHeader {
    std::string gameVersion;                    // e.g. "1.0.0", printable ASCII, at most 32 bytes
    std::array<std::uint8_t, 2> robots{};       // robot model of player 1 and 2: 0 small, 1 big
    std::array<std::uint8_t, 2> controllers{};  // who plays each side: a ReplayController
    std::array<std::uint8_t, 2> levels{};       // the computer's level per side, 0 when a person plays
    std::uint64_t seed = 0;                     // the computer's seed, 0 when no computer plays
    std::int64_t startedAt = 0;                 // seconds since the epoch, UTC

    bool operator==(const ReplayHeader&) const = default;
};
