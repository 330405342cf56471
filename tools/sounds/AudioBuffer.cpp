#include "AudioBuffer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

AudioBuffer::AudioBuffer(int channels, std::size_t frames)
    : data(static_cast<std::size_t>(channels), std::vector<float>(frames, 0.0f)) {}

void AudioBuffer::mix(const std::vector<float>& mono, std::size_t offset, float gain, float pan) {
    if (offset >= frames())
        return;
    const std::size_t count = std::min(mono.size(), frames() - offset);
    if (channelCount() == 1) {
        float* out = channel(0) + offset;
        for (std::size_t i = 0; i < count; ++i)
            out[i] += mono[i] * gain;
        return;
    }
    const double angle = (static_cast<double>(pan) + 1.0) * std::numbers::pi / 4.0;
    const float gains[2] = {gain * static_cast<float>(std::cos(angle) * std::numbers::sqrt2),
                            gain * static_cast<float>(std::sin(angle) * std::numbers::sqrt2)};
    for (int c = 0; c < 2; ++c) {
        float* out = channel(c) + offset;
        for (std::size_t i = 0; i < count; ++i)
            out[i] += mono[i] * gains[c];
    }
}

void AudioBuffer::foldLoop(std::size_t loopFrames) {
    for (auto& samples : data) {
        for (std::size_t i = loopFrames; i < samples.size(); ++i)
            samples[i % loopFrames] += samples[i];
        samples.resize(loopFrames);
    }
}

namespace {

float rampGain(std::size_t i, std::size_t length) {
    const double t = static_cast<double>(i) / static_cast<double>(length);
    return static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * t));
}

}  // namespace

void AudioBuffer::fadeIn(double seconds) {
    const std::size_t length = std::min(frames(), static_cast<std::size_t>(seconds * SAMPLE_RATE));
    for (auto& samples : data)
        for (std::size_t i = 0; i < length; ++i)
            samples[i] *= rampGain(i, length);
}

void AudioBuffer::fadeOut(double seconds) {
    const std::size_t length = std::min(frames(), static_cast<std::size_t>(seconds * SAMPLE_RATE));
    const std::size_t start = frames() - length;
    // The last frame gets gain 0, so the file ends in silence.
    for (auto& samples : data)
        for (std::size_t i = 0; i < length; ++i)
            samples[start + i] *= rampGain(length - 1 - i, length);
}

float AudioBuffer::peak() const {
    float result = 0.0f;
    for (const auto& samples : data)
        for (float s : samples)
            result = std::max(result, std::fabs(s));
    return result;
}

void AudioBuffer::scale(float gain) {
    for (auto& samples : data)
        for (float& s : samples)
            s *= gain;
}

void AudioBuffer::normalize(float targetPeak) {
    const float current = peak();
    if (current > 0.0f)
        scale(targetPeak / current);
}

AudioBuffer AudioBuffer::toMono() const {
    AudioBuffer mono(1, frames());
    const float share = 1.0f / static_cast<float>(channelCount());
    for (const auto& samples : data)
        for (std::size_t i = 0; i < samples.size(); ++i)
            mono.data[0][i] += samples[i] * share;
    return mono;
}
