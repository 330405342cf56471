#include "WavWriter.h"

#include "AudioBuffer.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

bool writeWav(const std::filesystem::path& path, const AudioBuffer& buffer) {
    SF_INFO info{};
    info.samplerate = SAMPLE_RATE;
    info.channels = buffer.channelCount();
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;

    // Our own rounding rather than libsndfile's float conversion, so the
    // bytes depend on nothing but the samples.
    const std::size_t frames = buffer.frames();
    const int channels = buffer.channelCount();
    std::vector<std::int16_t> interleaved(frames * static_cast<std::size_t>(channels));
    for (int c = 0; c < channels; ++c) {
        const float* samples = buffer.channel(c);
        for (std::size_t i = 0; i < frames; ++i) {
            const float clamped = std::clamp(samples[i], -1.0f, 1.0f);
            interleaved[i * channels + c] = static_cast<std::int16_t>(std::lrint(clamped * 32767.0f));
        }
    }
    const auto count = static_cast<sf_count_t>(interleaved.size());
    const bool written = sf_write_short(file, interleaved.data(), count) == count;
    return sf_close(file) == 0 && written;
}
