#pragma once

#include <al.h>
#include <alc.h>
#include <sndfile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <unistd.h>
#include <vector>

// A folder of its own for each test process, removed at the end.
class ScratchFolder {
public:
    ScratchFolder()
        : path(std::filesystem::temp_directory_path() /
               ("korv_audio_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }

    std::string file(const std::string& name) const { return (path / name).string(); }

    std::filesystem::path path;
};

// Samples of a sine tone, interleaved, the same on every channel.
inline std::vector<float> tone(double frequency, double amplitude, int rate, int frames, int channels) {
    std::vector<float> samples(static_cast<std::size_t>(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / rate);
        for (int c = 0; c < channels; ++c) {
            samples[static_cast<std::size_t>(i) * channels + c] = static_cast<float>(value);
        }
    }
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

inline void writeToneWav(const std::string& path, int channels, int rate, int frames,
                         double frequency = 440.0, double amplitude = 0.5) {
    writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, channels, rate,
                   tone(frequency, amplitude, rate, frames, channels));
}

// OpenAL Soft's output without a sound card: mixing to nothing, in real time.
inline void useNullOutput() {
    setenv("ALSOFT_DRIVERS", "null", 1);
    unsetenv("ALSOFT_CONF");
}

// OpenAL Soft's own settings file, choosing its wave-file output. Without
// a file name the output cannot be opened, as with no sound card.
inline void useWaveOutput(const ScratchFolder& folder, const std::string& outputFile,
                          const std::string& channels) {
    const std::string config = folder.file("alsoft.conf");
    std::ofstream(config) << "[general]\n"
                          << "drivers = wave\n"
                          << "channels = " << channels << "\n"
                          << "sample-type = int16\n"
                          << "frequency = 44100\n"
                          << "hrtf = false\n"
                          << "[wave]\n"
                          << (outputFile.empty() ? "" : "file = " + outputFile + "\n");
    setenv("ALSOFT_CONF", config.c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
}

// A file's samples as libsndfile reads them, with its channel count.
struct DecodedFile {
    std::vector<short> samples;
    int channels = 0;
    sf_count_t frames = 0;
};

inline DecodedFile readWav(const std::string& path) {
    DecodedFile decoded;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return decoded;
    }
    decoded.channels = info.channels;
    decoded.frames = info.frames;
    decoded.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    sf_read_short(file, decoded.samples.data(), static_cast<sf_count_t>(decoded.samples.size()));
    sf_close(file);
    return decoded;
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
