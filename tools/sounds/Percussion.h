#pragma once

#include "Instrument.h"
#include "Random.h"

#include <cstdint>

// Drums made from a pitched sine and filtered noise. The note's frequency
// tunes the tom and is ignored by the others; its gate is ignored, each
// drum rings for its own length.
class Percussion : public Instrument {
public:
    enum class Kind { Kick, Snare, ClosedHat, OpenHat, Crash, Tom };

    Percussion(Kind kind, std::uint64_t seed);
    std::vector<float> render(double frequency, double gate, float velocity) override;

private:
    std::vector<float> kick();
    std::vector<float> snare();
    std::vector<float> hat(double length, double decay);
    std::vector<float> crash();
    std::vector<float> tom(double frequency);

    Kind kind;
    Random random;
};
