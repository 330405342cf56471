#pragma once

#include <cstddef>
#include <vector>

class AudioBuffer;

// A ping-pong delay: each repeat jumps to the other side and loses some
// treble, so repeats sit behind the dry sound.
class Echo {
public:
    Echo(std::size_t delayFrames, float feedback);

    // Adds the repeats of the mono signal `send` to the stereo buffer `out`.
    void process(const std::vector<float>& send, AudioBuffer& out, float wet) const;

private:
    std::size_t delayFrames;
    float feedback;
};
