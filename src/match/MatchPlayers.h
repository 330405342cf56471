#pragma once

#include <array>
#include <cstdint>

// Who plays each side of a match: a person, or the computer at a level.
struct MatchPlayers {
    static constexpr int PERSON = -1;

    std::array<int, 2> computerLevel{PERSON, PERSON};
    std::uint64_t seed = 0;  // of the computer's choices
    bool demo = false;       // shown while nobody plays, and not kept as a replay

    bool computerPlays(int player) const { return computerLevel[player - 1] != PERSON; }
};
