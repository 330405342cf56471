#pragma once

#include <cstddef>
#include <vector>

constexpr int SAMPLE_RATE = 44100;

// Frames of float samples, one array per channel, nominally in [-1, 1].
class AudioBuffer {
public:
    AudioBuffer(int channels, std::size_t frames);

    int channelCount() const { return static_cast<int>(data.size()); }
    std::size_t frames() const { return data.front().size(); }
    float* channel(int c) { return data[c].data(); }
    const float* channel(int c) const { return data[c].data(); }

    // Adds a mono signal from frame `offset` on, cut at the end of the
    // buffer. pan runs from -1 (left) to 1 (right) with constant power; a
    // mono buffer ignores it.
    void mix(const std::vector<float>& mono, std::size_t offset, float gain, float pan = 0.0f);

    // Keeps the first `loopFrames` frames and adds everything after them
    // back onto the start, as it would sound when the loop plays again.
    void foldLoop(std::size_t loopFrames);

    // Raised-cosine ramps from and to silence.
    void fadeIn(double seconds);
    void fadeOut(double seconds);

    float peak() const;
    void scale(float gain);
    void normalize(float targetPeak);

    AudioBuffer toMono() const;

private:
    std::vector<std::vector<float>> data;
};
