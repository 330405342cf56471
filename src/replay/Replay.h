#pragma once

#include "replay/ReplayHeader.h"
#include "replay/ReplayStep.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The match's checksum after that many steps.
struct ReplayChecksum {
    std::size_t afterSteps;
    std::uint64_t value;

    bool operator==(const ReplayChecksum&) const = default;
};

// A whole recorded match.
struct Replay {
    ReplayHeader header;
    std::vector<ReplayStep> steps;
    std::vector<ReplayChecksum> checksums;

    bool operator==(const Replay&) const = default;
};
