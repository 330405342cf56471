#pragma once

#include <cstdint>

// A small seeded generator for noise: the same seed gives the same noise on
// every run, so the generated files never change by themselves.
class Random {
public:
    explicit Random(std::uint64_t seed);

    // Uniform in [-1, 1).
    float noise();

private:
    std::uint64_t state;
};
