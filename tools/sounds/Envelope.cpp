#include "Envelope.h"

#include <cmath>

double Envelope::held(double t) const {
    if (t < attack)
        return t / attack;
    if (decay <= 0.0)
        return sustain;
    return sustain + (1.0 - sustain) * std::exp(-(t - attack) / decay);
}

float Envelope::level(double t, double gate) const {
    if (t < 0.0)
        return 0.0f;
    if (t < gate)
        return static_cast<float>(held(t));
    const double u = (t - gate) / release;
    if (u >= 1.0)
        return 0.0f;
    return static_cast<float>(held(gate) * (1.0 - u) * (1.0 - u));
}
