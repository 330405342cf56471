#pragma once

#include <vector>

class AudioBuffer;

// A small room: parallel damped comb filters into series all-passes, with
// slightly different delays on the two sides for width.
class Reverb {
public:
    Reverb(double feedback, double damping);

    // Adds the reverberation of the mono signal `send` to `out` (stereo or
    // mono), scaled by `wet`.
    void process(const std::vector<float>& send, AudioBuffer& out, float wet) const;

private:
    double feedback;
    double damping;
};
