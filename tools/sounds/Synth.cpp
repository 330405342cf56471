#include "Synth.h"

#include "AudioBuffer.h"
#include "Filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Cutoff changes are smooth enough when the filter follows them in steps
// of this many samples.
constexpr int CUTOFF_UPDATE_INTERVAL = 16;
constexpr int MAX_VOICES = 4;

}  // namespace

Synth::Synth(const SynthPatch& patch) : patch(patch) {}

std::vector<float> Synth::render(double frequency, double gate, float velocity) {
    const int voices = patch.voices < 1 ? 1 : (patch.voices > MAX_VOICES ? MAX_VOICES : patch.voices);
    std::vector<Oscillator> oscillators;
    std::vector<double> ratios;
    for (int v = 0; v < voices; ++v) {
        // Spread start phases so detuned voices do not start in unison.
        oscillators.emplace_back(patch.waveform, 0.37 * v, patch.pulseWidth);
        const double spread = voices == 1 ? 0.0 : (2.0 * v / (voices - 1) - 1.0);
        ratios.push_back(std::pow(2.0, spread * patch.detuneCents / 1200.0));
    }
    Oscillator sub(Waveform::Sine);
    Filter filter(Filter::Mode::LowPass, patch.cutoff, patch.resonance);

    const auto length = static_cast<std::size_t>(patch.amp.length(gate) * SAMPLE_RATE);
    std::vector<float> out(length);
    const float voiceGain = 1.0f / std::sqrt(static_cast<float>(voices));
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        double pitch = frequency;
        if (patch.vibratoCents > 0.0 && t > patch.vibratoDelay) {
            const double depth = std::min(1.0, (t - patch.vibratoDelay) / 0.2) * patch.vibratoCents;
            pitch *= std::pow(2.0, depth * std::sin(2.0 * std::numbers::pi * patch.vibratoRate * t) / 1200.0);
        }
        if (patch.sweep != 0.0 && i % CUTOFF_UPDATE_INTERVAL == 0)
            filter.setCutoff(patch.cutoff + patch.sweep * velocity * std::exp(-t / patch.sweepDecay));
        float sample = 0.0f;
        for (int v = 0; v < voices; ++v)
            sample += oscillators[v].next(pitch * ratios[v]);
        sample *= voiceGain;
        if (patch.subLevel > 0.0f)
            sample += patch.subLevel * sub.next(pitch);
        out[i] = filter.process(sample) * patch.amp.level(t, gate) * velocity;
    }
    return out;
}
