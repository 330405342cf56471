#include "SoundEffects.h"

#include "Filter.h"
#include "Notation.h"
#include "Oscillator.h"
#include "Patches.h"
#include "Percussion.h"
#include "Random.h"
#include "Sequencer.h"
#include "Synth.h"

#include <cmath>
#include <numbers>

namespace soundEffects {

namespace {

constexpr double TWO_PI = 2.0 * std::numbers::pi;
// Ramps at both ends, short enough to keep the attack sharp.
constexpr double EDGE_FADE_IN = 0.002;
constexpr double EDGE_FADE_OUT = 0.01;
constexpr float EFFECT_PEAK = 0.89f;
// The menu beeps are heard often and close: a little softer.
constexpr float BEEP_PEAK = 0.6f;
// The running hum plays for as long as a robot moves.
constexpr float HUM_PEAK = 0.6f;
// Filters whose cutoff moves are retuned every this many samples.
constexpr int RETUNE_INTERVAL = 16;

std::size_t framesOf(double seconds) { return static_cast<std::size_t>(seconds * SAMPLE_RATE); }
double timeOf(std::size_t i) { return static_cast<double>(i) / SAMPLE_RATE; }

AudioBuffer finish(AudioBuffer sound, float peak, double fadeIn = EDGE_FADE_IN, double fadeOut = EDGE_FADE_OUT) {
    sound.fadeIn(fadeIn);
    sound.fadeOut(fadeOut);
    sound.normalize(peak);
    return sound;
}

// A synthesiser note dropped into a mono buffer.
void addNote(AudioBuffer& out, Instrument& instrument, double start, std::string_view note, double gate,
             float gain) {
    out.mix(instrument.render(noteFrequency(noteNumber(note)), gate, 1.0f), framesOf(start), gain);
}

std::unique_ptr<Instrument> blipVoice(double decay) {
    SynthPatch p;
    p.waveform = Waveform::Square;
    p.cutoff = 3500.0;
    p.sweep = 2000.0;
    p.sweepDecay = 0.03;
    p.amp = {0.002, decay, 0.4, 0.03};
    return std::make_unique<Synth>(p);
}

}  // namespace

AudioBuffer bound() {
    AudioBuffer out(1, framesOf(0.25));
    Random random(1);
    Filter tick(Filter::Mode::BandPass, 2600.0, 2.0);
    // Inharmonic modes of a hard plastic rim: a short "tonk".
    struct Mode {
        double frequency;
        double level;
        double decay;
    };
    constexpr Mode MODES[] = {{540.0, 1.0, 0.07}, {1310.0, 0.55, 0.045}, {2270.0, 0.35, 0.03}, {3900.0, 0.2, 0.015}};
    float* samples = out.channel(0);
    for (std::size_t i = 0; i < out.frames(); ++i) {
        const double t = timeOf(i);
        double sample = tick.process(random.noise()) * std::exp(-t / 0.004) * 0.8;
        sample += std::sin(TWO_PI * 180.0 * t) * std::exp(-t / 0.03) * 0.5;
        for (const Mode& mode : MODES)
            sample += std::sin(TWO_PI * mode.frequency * t) * mode.level * std::exp(-t / mode.decay);
        samples[i] = static_cast<float>(sample);
    }
    return finish(out, EFFECT_PEAK);
}

AudioBuffer goal() {
    // A quick C major run into a held chord, with a boom and a crash.
    Sequencer seq(250.0);
    seq.setReverb(0.8, 0.3, 0.3f);
    const int lead = seq.addTrack(patches::lead(), {0.5f, 0.0f, 0.3f, 0.0f});
    const int sparkle = seq.addTrack(patches::chime(), {0.25f, 0.0f, 0.4f, 0.0f});
    const int boom = seq.addTrack(std::make_unique<Percussion>(Percussion::Kind::Tom, 2), {0.9f, 0.0f, 0.2f, 0.0f});
    const int crash = seq.addTrack(std::make_unique<Percussion>(Percussion::Kind::Crash, 3), {0.2f, 0.0f, 0.2f, 0.0f});
    seq.add(lead, melody("C5 E5 G5 C6 E6", 0.0, 0.9f));
    constexpr double CHORD_STEP = 5.0;
    constexpr double CHORD_LENGTH = 16.0;
    for (const char* note : {"G5", "C6", "E6"})
        seq.add(lead, {{CHORD_STEP, CHORD_LENGTH, noteNumber(note), 0.9f}});
    seq.add(sparkle, melody("C7 E7 G7 C8", CHORD_STEP, 0.8f));
    seq.add(boom, {{CHORD_STEP, 1.0, noteNumber("C2"), 1.0f}});
    seq.add(crash, {{CHORD_STEP, 1.0, 60, 1.0f}});
    return finish(seq.renderOnce(1.6).toMono(), EFFECT_PEAK, EDGE_FADE_IN, 0.35);
}

AudioBuffer lame() {
    AudioBuffer out(1, framesOf(0.4));
    Random random(4);
    Filter dull(Filter::Mode::LowPass, 350.0);
    Filter flop(Filter::Mode::BandPass, 900.0, 1.0);
    float* samples = out.channel(0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.frames(); ++i) {
        const double t = timeOf(i);
        phase += TWO_PI * (45.0 + 70.0 * std::exp(-t / 0.03)) / SAMPLE_RATE;
        const float noise = random.noise();
        double sample = std::sin(phase) * std::exp(-t / 0.09);
        sample += dull.process(noise) * std::exp(-t / 0.03) * 1.2;
        sample += flop.process(noise) * std::exp(-t / 0.015) * 0.6;
        samples[i] = static_cast<float>(sample);
    }
    return finish(out, EFFECT_PEAK);
}

AudioBuffer engage() {
    AudioBuffer out(1, framesOf(0.6));
    // A soft upward sweep...
    constexpr double SWEEP_SECONDS = 0.15;
    float* samples = out.channel(0);
    double phase = 0.0;
    for (std::size_t i = 0; i < framesOf(SWEEP_SECONDS); ++i) {
        const double u = timeOf(i) / SWEEP_SECONDS;
        phase += TWO_PI * 350.0 * std::pow(4.0, u) / SAMPLE_RATE;
        samples[i] += static_cast<float>(std::sin(phase) * std::sin(std::numbers::pi * u) * 0.35);
    }
    // ...into a two-note chime, a fifth up.
    auto chime = patches::chime();
    addNote(out, *chime, 0.10, "G5", 0.1, 0.8f);
    addNote(out, *chime, 0.18, "D6", 0.2, 0.9f);
    return finish(out, EFFECT_PEAK);
}

AudioBuffer throwDisc() {
    AudioBuffer out(1, framesOf(0.32));
    Random random(5);
    Filter air(Filter::Mode::BandPass, 700.0, 1.5);
    float* samples = out.channel(0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.frames(); ++i) {
        const double t = timeOf(i);
        // The band of noise rises and falls like air torn past the disc.
        if (i % RETUNE_INTERVAL == 0)
            air.setCutoff(700.0 + 2600.0 * std::pow(std::sin(std::numbers::pi * std::min(t / 0.28, 1.0)), 2.0));
        const double level = t < 0.05 ? t / 0.05 : std::exp(-(t - 0.05) / 0.08);
        phase += TWO_PI * (400.0 + 600.0 * std::min(t / 0.1, 1.0)) / SAMPLE_RATE;
        const double fwip = std::sin(phase) * std::exp(-t / 0.06) * 0.2;
        samples[i] = static_cast<float>(air.process(random.noise()) * level * 2.0 + fwip);
    }
    return finish(out, EFFECT_PEAK);
}

AudioBuffer move() {
    // Whole numbers of hum and wobble cycles fit in the length, so a replay
    // continues the same sound.
    constexpr double LENGTH = 0.3;
    constexpr double HUM = 120.0;
    constexpr double WOBBLE = 20.0;
    constexpr double EDGE = 0.006;
    AudioBuffer out(1, framesOf(LENGTH));
    Random random(6);
    Oscillator motor(Waveform::Saw);
    Oscillator sub(Waveform::Square);
    Filter body(Filter::Mode::LowPass, 800.0, 1.5);
    Filter grit(Filter::Mode::LowPass, 2000.0);
    float* samples = out.channel(0);
    for (std::size_t i = 0; i < out.frames(); ++i) {
        const double t = timeOf(i);
        double sample = body.process(motor.next(HUM) * 0.7f + sub.next(HUM / 2.0) * 0.4f);
        sample += std::sin(TWO_PI * HUM * 8.0 * t) * 0.08;
        sample += grit.process(random.noise()) * 0.06;
        samples[i] = static_cast<float>(sample * (0.8 + 0.2 * std::sin(TWO_PI * WOBBLE * t)));
    }
    return finish(out, HUM_PEAK, EDGE, EDGE);
}

AudioBuffer straf() {
    AudioBuffer out(1, framesOf(0.3));
    Random random(7);
    Oscillator zap(Waveform::Saw);
    Filter zapTone(Filter::Mode::LowPass, 400.0, 1.4);
    Filter air(Filter::Mode::BandPass, 1200.0, 1.2);
    float* samples = out.channel(0);
    for (std::size_t i = 0; i < out.frames(); ++i) {
        const double t = timeOf(i);
        const double rise = 1.0 - std::exp(-t / 0.06);
        if (i % RETUNE_INTERVAL == 0) {
            zapTone.setCutoff(400.0 + 3600.0 * rise);
            air.setCutoff(1200.0 + 3300.0 * rise);
        }
        const double level = std::min(t / 0.005, 1.0) * std::exp(-t / 0.1);
        const double tone = zapTone.process(zap.next(90.0 * std::pow(4.6, std::min(t / 0.18, 1.0))));
        const double whoosh = air.process(random.noise()) * std::exp(-t / 0.07) * 1.5;
        samples[i] = static_cast<float>(tone * level + whoosh);
    }
    return finish(out, EFFECT_PEAK);
}

AudioBuffer getFrisbee() {
    AudioBuffer out(1, framesOf(0.22));
    Random random(8);
    Filter clack(Filter::Mode::BandPass, 3000.0, 1.2);
    float* samples = out.channel(0);
    for (std::size_t i = 0; i < out.frames(); ++i) {
        const double t = timeOf(i);
        const double snap = clack.process(random.noise()) * std::exp(-t / 0.006) * 1.5
                            + std::sin(TWO_PI * 700.0 * t) * std::exp(-t / 0.02) * 0.5;
        samples[i] = static_cast<float>(snap);
    }
    auto blip = blipVoice(0.05);
    addNote(out, *blip, 0.02, "E6", 0.04, 0.35f);
    addNote(out, *blip, 0.07, "B6", 0.08, 0.35f);
    return finish(out, EFFECT_PEAK);
}

AudioBuffer beep() {
    AudioBuffer out(1, framesOf(0.08));
    auto blip = blipVoice(0.05);
    addNote(out, *blip, 0.0, "A5", 0.045, 1.0f);
    return finish(out, BEEP_PEAK);
}

AudioBuffer beep2() {
    AudioBuffer out(1, framesOf(0.2));
    auto blip = blipVoice(0.08);
    addNote(out, *blip, 0.0, "A5", 0.05, 1.0f);
    addNote(out, *blip, 0.055, "E6", 0.11, 1.0f);
    return finish(out, BEEP_PEAK);
}

}  // namespace soundEffects
