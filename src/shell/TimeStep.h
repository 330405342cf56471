#pragma once

#include <cstdint>

// A slow iteration slows the game down rather than making it jump.
constexpr int MAX_STEP_MS = 33;

// Milliseconds from previous to now on the wrapping millisecond counter,
// at most MAX_STEP_MS.
int timeStep(std::uint32_t previous, std::uint32_t now);
