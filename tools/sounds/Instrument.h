#pragma once

#include <vector>

// Something that plays one note into a mono signal: the note sounds for
// `gate` seconds and the signal includes its release, ending in silence.
class Instrument {
public:
    virtual ~Instrument() = default;
    virtual std::vector<float> render(double frequency, double gate, float velocity) = 0;
};
