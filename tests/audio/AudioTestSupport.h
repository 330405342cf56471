#pragma once

#include "support/TempDirectory.h"

#include <al.h>
#include <sndfile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

// Samples of a sine tone, interleaved, the same on every channel.
inline std::vector<float> tone(double frequency, double amplitude, int rate, int frames, int channels) {
    std::vector<float> samples;
    for (int i = 0; i < frames; ++i)
        samples.insert(samples.end(), channels,
                       static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / rate)));
    return samples;
}

// Writes a sound file with libsndfile; `format` as in SF_INFO.
inline void writeSoundFile(const std::string& path, int format, int channels, int rate,
                           const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<sf_count_t>(samples.size() / channels);
    ASSERT_EQ(sf_writef_float(file, samples.data(), frames), frames);
    sf_close(file);
}

// Writes a 16-bit WAV of a sine tone and returns its path.
inline std::string writeToneWav(const std::string& path, int channels, int rate, int frames,
                                double frequency = 440.0, double amplitude = 0.5) {
    writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, channels, rate,
                   tone(frequency, amplitude, rate, frames, channels));
    return path;
}

// OpenAL Soft's output without a sound card: mixing to nothing, in real time.
inline void useNullOutput() {
    setenv("ALSOFT_DRIVERS", "null", 1);
    unsetenv("ALSOFT_CONF");
}

// OpenAL Soft's own settings file, choosing its mono wave-file output.
// Without a file name the output cannot be opened, as with no sound card.
inline void useWaveOutput(const TempDirectory& folder, const std::string& outputFile) {
    const std::string config = folder.file("alsoft.conf");
    std::ofstream(config) << "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\nfrequency = 44100\ndither = false\n"
                          << "hrtf = false\n[wave]\n" << (outputFile.empty() ? "" : "file = " + outputFile + "\n");
    setenv("ALSOFT_CONF", config.c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
}

// A file's samples as libsndfile reads them, interleaved.
struct DecodedFile {
    SF_INFO info{};
    std::vector<short> samples;

    std::vector<double> channel(int c) const {
        std::vector<double> result;
        for (std::size_t i = static_cast<std::size_t>(c); i < samples.size(); i += info.channels)
            result.push_back(samples[i]);
        return result;
    }
};

inline DecodedFile readWav(const std::string& path) {
    DecodedFile decoded;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &decoded.info);
    EXPECT_NE(file, nullptr) << path;
    if (file == nullptr) return decoded;
    decoded.samples.resize(static_cast<std::size_t>(decoded.info.frames * decoded.info.channels));
    const auto count = static_cast<sf_count_t>(decoded.samples.size());
    EXPECT_EQ(sf_read_short(file, decoded.samples.data(), count), count) << path;
    sf_close(file);
    return decoded;
}

inline double rms(const std::vector<double>& samples, std::size_t start, std::size_t count) {
    double energy = 0.0;
    for (std::size_t i = start; i < start + count; ++i) energy += samples[i] * samples[i];
    return std::sqrt(energy / static_cast<double>(count));
}

// The largest magnitude among the samples.
inline int peak(const std::vector<short>& samples) {
    int highest = 0;
    for (short sample : samples) highest = std::max(highest, std::abs(int(sample)));
    return highest;
}

inline ALint bufferProperty(ALuint buffer, ALenum property) {
    ALint value = -1;
    alGetBufferi(buffer, property, &value);
    return value;
}

inline ALint sourceState(ALuint source) {
    ALint state = 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}
