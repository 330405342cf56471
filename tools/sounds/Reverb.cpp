#include "Reverb.h"

#include "AudioBuffer.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr std::array<std::size_t, 4> COMB_FRAMES = {1116, 1188, 1277, 1356};
constexpr std::array<std::size_t, 2> ALLPASS_FRAMES = {556, 441};
constexpr std::size_t STEREO_SPREAD = 23;
constexpr float ALLPASS_GAIN = 0.5f;
// The combs add up; this brings their sum back near the input's level.
constexpr float COMB_SUM_GAIN = 0.25f;

struct Comb {
    std::vector<float> line;
    std::size_t index = 0;
    float store = 0.0f;

    float process(float input, float feedback, float damping) {
        const float output = line[index];
        store = output * (1.0f - damping) + store * damping;
        line[index] = input + store * feedback;
        if (++index == line.size())
            index = 0;
        return output;
    }
};

struct AllPass {
    std::vector<float> line;
    std::size_t index = 0;

    float process(float input) {
        const float delayed = line[index];
        line[index] = input + delayed * ALLPASS_GAIN;
        if (++index == line.size())
            index = 0;
        return delayed - input;
    }
};

}  // namespace

Reverb::Reverb(double feedback, double damping) : feedback(feedback), damping(damping) {}

void Reverb::process(const std::vector<float>& send, AudioBuffer& out, float wet) const {
    const std::size_t count = std::min(send.size(), out.frames());
    for (int c = 0; c < out.channelCount(); ++c) {
        const std::size_t spread = c * STEREO_SPREAD;
        std::vector<Comb> combs;
        for (std::size_t frames : COMB_FRAMES)
            combs.push_back({std::vector<float>(frames + spread, 0.0f)});
        std::vector<AllPass> allPasses;
        for (std::size_t frames : ALLPASS_FRAMES)
            allPasses.push_back({std::vector<float>(frames + spread, 0.0f)});
        float* target = out.channel(c);
        const auto fb = static_cast<float>(feedback);
        const auto damp = static_cast<float>(damping);
        for (std::size_t i = 0; i < count; ++i) {
            float sum = 0.0f;
            for (Comb& comb : combs)
                sum += comb.process(send[i], fb, damp);
            sum *= COMB_SUM_GAIN;
            for (AllPass& allPass : allPasses)
                sum = allPass.process(sum);
            target[i] += sum * wet;
        }
    }
}
