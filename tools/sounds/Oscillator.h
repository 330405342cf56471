#pragma once

enum class Waveform { Sine, Saw, Square, Triangle };

// A band-limited oscillator (the saw and square edges are smoothed with
// polynomial steps, so high notes do not alias into noise).
class Oscillator {
public:
    explicit Oscillator(Waveform waveform, double startPhase = 0.0, double pulseWidth = 0.5);

    // The next sample at the given frequency in hertz.
    float next(double frequency);

private:
    Waveform waveform;
    double phase;
    double pulseWidth;
};
