#include "Random.h"

Random::Random(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

float Random::noise() {
    // splitmix64: full period, good enough statistics for audio noise.
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    constexpr float TOP_24_BITS = 1.0f / 8388608.0f;
    return static_cast<float>(z >> 40) * TOP_24_BITS - 1.0f;
}
