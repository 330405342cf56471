#include "Echo.h"

#include "AudioBuffer.h"

#include <algorithm>

namespace {

// One-pole low-pass coefficient in the feedback path.
constexpr float REPEAT_DARKENING = 0.35f;

}  // namespace

Echo::Echo(std::size_t delayFrames, float feedback) : delayFrames(delayFrames), feedback(feedback) {}

void Echo::process(const std::vector<float>& send, AudioBuffer& out, float wet) const {
    const std::size_t count = std::min(send.size(), out.frames());
    std::vector<float> left(delayFrames, 0.0f);
    std::vector<float> right(delayFrames, 0.0f);
    float tone = 0.0f;
    std::size_t index = 0;
    const int rightChannel = out.channelCount() > 1 ? 1 : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const float fromLeft = left[index];
        const float fromRight = right[index];
        tone += (fromRight - tone) * (1.0f - REPEAT_DARKENING);
        left[index] = send[i] + tone * feedback;
        right[index] = fromLeft;
        out.channel(0)[i] += fromLeft * wet;
        out.channel(rightChannel)[i] += fromRight * wet;
        if (++index == delayFrames)
            index = 0;
    }
}
