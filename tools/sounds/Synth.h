#pragma once

#include "Envelope.h"
#include "Instrument.h"
#include "Oscillator.h"

// The sound of a subtractive voice: detuned oscillators, an optional sine
// at the fundamental for weight, a low-pass filter opened by a decaying sweep, and
// vibrato that sets in after a delay.
struct SynthPatch {
    Waveform waveform = Waveform::Saw;
    int voices = 1;
    double detuneCents = 0.0;
    double pulseWidth = 0.5;
    float subLevel = 0.0f;
    double cutoff = 2000.0;
    double sweep = 0.0;
    double sweepDecay = 0.1;
    double resonance = 0.707;
    double vibratoRate = 5.5;
    double vibratoCents = 0.0;
    double vibratoDelay = 0.2;
    Envelope amp;
};

class Synth : public Instrument {
public:
    explicit Synth(const SynthPatch& patch);
    std::vector<float> render(double frequency, double gate, float velocity) override;

private:
    SynthPatch patch;
};
