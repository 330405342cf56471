#include "Patches.h"

#include "FmBell.h"
#include "Synth.h"

namespace patches {

std::unique_ptr<Instrument> bass() {
    SynthPatch p;
    p.waveform = Waveform::Saw;
    p.subLevel = 0.6f;
    p.cutoff = 280.0;
    p.sweep = 1600.0;
    p.sweepDecay = 0.08;
    p.resonance = 1.3;
    p.amp = {0.003, 0.25, 0.55, 0.05};
    return std::make_unique<Synth>(p);
}

std::unique_ptr<Instrument> softBass() {
    SynthPatch p;
    p.waveform = Waveform::Triangle;
    p.subLevel = 0.8f;
    p.cutoff = 500.0;
    p.amp = {0.02, 0.6, 0.7, 0.15};
    return std::make_unique<Synth>(p);
}

std::unique_ptr<Instrument> lead() {
    SynthPatch p;
    p.waveform = Waveform::Square;
    p.voices = 2;
    p.detuneCents = 7.0;
    p.pulseWidth = 0.35;
    p.cutoff = 2600.0;
    p.sweep = 2500.0;
    p.sweepDecay = 0.12;
    p.vibratoRate = 5.5;
    p.vibratoCents = 18.0;
    p.vibratoDelay = 0.18;
    p.amp = {0.008, 0.2, 0.75, 0.09};
    return std::make_unique<Synth>(p);
}

std::unique_ptr<Instrument> softLead() {
    SynthPatch p;
    p.waveform = Waveform::Triangle;
    p.voices = 2;
    p.detuneCents = 5.0;
    p.cutoff = 2400.0;
    p.vibratoRate = 5.0;
    p.vibratoCents = 14.0;
    p.vibratoDelay = 0.25;
    p.amp = {0.03, 0.4, 0.7, 0.3};
    return std::make_unique<Synth>(p);
}

std::unique_ptr<Instrument> pluck() {
    SynthPatch p;
    p.waveform = Waveform::Saw;
    p.voices = 2;
    p.detuneCents = 6.0;
    p.cutoff = 500.0;
    p.sweep = 4500.0;
    p.sweepDecay = 0.06;
    p.resonance = 1.2;
    p.amp = {0.002, 0.16, 0.0, 0.05};
    return std::make_unique<Synth>(p);
}

std::unique_ptr<Instrument> pad() {
    SynthPatch p;
    p.waveform = Waveform::Saw;
    p.voices = 3;
    p.detuneCents = 14.0;
    p.cutoff = 1100.0;
    p.resonance = 0.8;
    p.amp = {0.35, 0.6, 0.8, 0.7};
    return std::make_unique<Synth>(p);
}

std::unique_ptr<Instrument> mallet() {
    FmPatch p;
    p.ratio = 2.0;
    p.index = 2.6;
    p.indexDecay = 0.12;
    p.decay = 0.5;
    p.amp = {0.002, 0.0, 1.0, 0.2};
    return std::make_unique<FmBell>(p);
}

std::unique_ptr<Instrument> chime() {
    FmPatch p;
    p.ratio = 3.5;
    p.index = 2.5;
    p.indexDecay = 0.05;
    p.decay = 0.4;
    p.amp = {0.001, 0.0, 1.0, 0.3};
    return std::make_unique<FmBell>(p);
}

}  // namespace patches
