#include "Filter.h"

#include "AudioBuffer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double LOWEST_CUTOFF = 20.0;
constexpr double HIGHEST_CUTOFF_RATIO = 0.45;

}  // namespace

Filter::Filter(Mode mode, double cutoff, double resonance) : mode(mode), damping(1.0 / resonance) {
    setCutoff(cutoff);
}

void Filter::setCutoff(double cutoff) {
    cutoff = std::clamp(cutoff, LOWEST_CUTOFF, HIGHEST_CUTOFF_RATIO * SAMPLE_RATE);
    g = std::tan(std::numbers::pi * cutoff / SAMPLE_RATE);
    a1 = 1.0 / (1.0 + g * (g + damping));
    a2 = g * a1;
    a3 = g * a2;
}

float Filter::process(float input) {
    const double v3 = input - state2;
    const double v1 = a1 * state1 + a2 * v3;
    const double v2 = state2 + a2 * state1 + a3 * v3;
    state1 = 2.0 * v1 - state1;
    state2 = 2.0 * v2 - state2;
    switch (mode) {
    case Mode::LowPass:
        return static_cast<float>(v2);
    case Mode::BandPass:
        return static_cast<float>(v1);
    case Mode::HighPass:
        break;
    }
    return static_cast<float>(input - damping * v1 - v2);
}
