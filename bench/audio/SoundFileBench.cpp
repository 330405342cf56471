#include "audio/SoundFile.h"
#include "audio/SoundManager.h"

#include <al.h>
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int RATE = 44100;
constexpr int MUSIC_SECONDS = 60;

// A minute of stereo music, as 16-bit or floating-point WAV.
std::string writeMusic(int subtype) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("korv_bench_music_" + std::to_string(getpid()) + "_" +
                               std::to_string(subtype) + ".wav"))
                                 .string();
    SF_INFO info{};
    info.samplerate = RATE;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | subtype;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<float> second(2 * RATE);
    for (int i = 0; i < RATE; ++i) {
        second[2 * i] = second[2 * i + 1] =
            static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 440.0 * i / RATE));
    }
    for (int s = 0; s < MUSIC_SECONDS; ++s) {
        sf_writef_float(file, second.data(), RATE);
    }
    sf_close(file);
    return path;
}

void loadMusic(benchmark::State& state, int subtype) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    openAudioDevice();
    const std::string path = writeMusic(subtype);
    for (auto _ : state) {
        ALuint buffer = loadSoundFile(path);
        benchmark::DoNotOptimize(buffer);
        alDeleteBuffers(1, &buffer);
    }
    std::filesystem::remove(path);
    closeAudioDevice();
}

// Start-up loads every music file whole, so this is start-up time.
void BM_LoadMinuteOfStereoMusic(benchmark::State& state) { loadMusic(state, SF_FORMAT_PCM_16); }
void BM_LoadMinuteOfFloatStereoMusic(benchmark::State& state) { loadMusic(state, SF_FORMAT_FLOAT); }

BENCHMARK(BM_LoadMinuteOfStereoMusic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMinuteOfFloatStereoMusic)->Unit(benchmark::kMillisecond);

}  // namespace
