#pragma once

// A state-variable filter (trapezoidal integration, stable under fast
// cutoff changes).
class Filter {
public:
    enum class Mode { LowPass, BandPass, HighPass };

    Filter(Mode mode, double cutoff, double resonance = 0.707);

    void setCutoff(double cutoff);
    float process(float input);

private:
    Mode mode;
    double damping;
    double g = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double a3 = 0.0;
    double state1 = 0.0;
    double state2 = 0.0;
};
