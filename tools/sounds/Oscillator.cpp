#include "Oscillator.h"

#include "AudioBuffer.h"

#include <cmath>
#include <numbers>

namespace {

// Residual of a band-limited step at phase t, for a phase increment dt.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

Oscillator::Oscillator(Waveform waveform, double startPhase, double pulseWidth)
    : waveform(waveform), phase(startPhase - std::floor(startPhase)), pulseWidth(pulseWidth) {}

float Oscillator::next(double frequency) {
    const double dt = frequency / SAMPLE_RATE;
    double value = 0.0;
    switch (waveform) {
    case Waveform::Sine:
        value = std::sin(2.0 * std::numbers::pi * phase);
        break;
    case Waveform::Saw:
        value = 2.0 * phase - 1.0 - polyBlep(phase, dt);
        break;
    case Waveform::Square: {
        value = phase < pulseWidth ? 1.0 : -1.0;
        value += polyBlep(phase, dt);
        double falling = phase - pulseWidth;
        if (falling < 0.0)
            falling += 1.0;
        value -= polyBlep(falling, dt);
        // A narrow pulse is mostly low: remove its average so it carries no
        // offset into the mix.
        value -= 2.0 * pulseWidth - 1.0;
        break;
    }
    case Waveform::Triangle:
        value = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        break;
    }
    phase += dt;
    phase -= std::floor(phase);
    return static_cast<float>(value);
}
