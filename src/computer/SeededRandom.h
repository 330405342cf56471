#pragma once

#include <cstdint>

// The computer's own dice: SplitMix64, the same numbers from the same seed
// on every machine and standard library (the library's distributions are
// not pinned down that far).
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1), from the top 53 bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    // Uniform in [low, high).
    double between(double low, double high) { return low + (high - low) * unit(); }
    // Uniform among the integers 0 to count - 1.
    int below(int count) { return static_cast<int>(unit() * count); }

private:
    std::uint64_t state_;
};
