#pragma once

#include "Envelope.h"
#include "Instrument.h"

// Two-operator frequency modulation: a sine carrier whose brightness (the
// modulation index) dies away faster than its level, as a struck bar does.
struct FmPatch {
    double ratio = 1.0;
    double index = 2.0;
    double indexDecay = 0.2;
    double decay = 0.6;
    Envelope amp{0.002, 0.0, 1.0, 0.15};
};

class FmBell : public Instrument {
public:
    explicit FmBell(const FmPatch& patch);
    std::vector<float> render(double frequency, double gate, float velocity) override;

private:
    FmPatch patch;
};
