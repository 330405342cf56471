#include "FmBell.h"

#include "AudioBuffer.h"

#include <cmath>
#include <numbers>

FmBell::FmBell(const FmPatch& patch) : patch(patch) {}

std::vector<float> FmBell::render(double frequency, double gate, float velocity) {
    const auto length = static_cast<std::size_t>(patch.amp.length(gate) * SAMPLE_RATE);
    std::vector<float> out(length);
    constexpr double TWO_PI = 2.0 * std::numbers::pi;
    const double carrierStep = TWO_PI * frequency / SAMPLE_RATE;
    const double modulatorStep = carrierStep * patch.ratio;
    // Per-sample decay factors instead of an exp() per sample.
    const double indexFactor = std::exp(-1.0 / (patch.indexDecay * SAMPLE_RATE));
    const double levelFactor = std::exp(-1.0 / (patch.decay * SAMPLE_RATE));
    double index = patch.index * velocity;
    double level = 1.0;
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double modulator = std::sin(modulatorStep * static_cast<double>(i)) * index;
        const double carrier = std::sin(carrierStep * static_cast<double>(i) + modulator);
        out[i] = static_cast<float>(carrier * level) * patch.amp.level(t, gate) * velocity;
        index *= indexFactor;
        level *= levelFactor;
    }
    return out;
}
