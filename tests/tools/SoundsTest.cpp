// The generated sounds and music: present in the run folder, loadable by
// the game, clean at their edges and loop points, in key, and the same
// bytes on every run.
#include "audio/SoundFile.h"
#include "audio/SoundManager.h"

#include <AL/al.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Expected {
    const char* path;
    int channels;
    double minSeconds;
    double maxSeconds;
    bool loops;
};

constexpr Expected FILES[] = {
    {"Sounds/bound.wav", 1, 0.05, 1.0, false},      {"Sounds/goal.wav", 1, 0.3, 2.5, false},
    {"Sounds/lame.wav", 1, 0.1, 1.0, false},        {"Sounds/engage.wav", 1, 0.1, 1.0, false},
    {"Sounds/throw.wav", 1, 0.1, 1.0, false},       {"Sounds/move.wav", 1, 0.1, 0.6, false},
    {"Sounds/straf.wav", 1, 0.1, 1.0, false},       {"Sounds/getFrisbee.wav", 1, 0.05, 1.0, false},
    {"Sounds/beep.wav", 1, 0.03, 0.3, false},       {"Sounds/beep2.wav", 1, 0.05, 0.5, false},
    {"Musics/musicIntro.wav", 2, 6.0, 8.0, false},  {"Musics/musicMenu.wav", 2, 20.0, 40.0, true},
    {"Musics/musicGame.wav", 2, 30.0, 60.0, true},
};

constexpr int RATE = 44100;
constexpr int FULL_SCALE = 32767;
// About -54 dBFS: what a file may start or end on without an audible click.
constexpr int EDGE_TOLERANCE = 64;
// Neighbourhood of the loop point whose sample-to-sample jumps the seam is
// compared with.
constexpr std::size_t SEAM_NEIGHBOURHOOD = 1024;

struct Wav {
    SF_INFO info{};
    std::vector<short> samples;  // interleaved

    std::vector<int> channel(int c) const {
        std::vector<int> result;
        for (std::size_t i = static_cast<std::size_t>(c); i < samples.size(); i += info.channels)
            result.push_back(samples[i]);
        return result;
    }
    double seconds() const { return static_cast<double>(info.frames) / info.samplerate; }
};

Wav readWav(const fs::path& path) {
    Wav wav;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &wav.info);
    if (!file) {
        ADD_FAILURE() << "cannot open " << path;
        return wav;
    }
    wav.samples.resize(static_cast<std::size_t>(wav.info.frames * wav.info.channels));
    const auto count = static_cast<sf_count_t>(wav.samples.size());
    EXPECT_EQ(sf_read_short(file, wav.samples.data(), count), count) << path;
    sf_close(file);
    return wav;
}

fs::path gameFile(const Expected& expected) { return fs::path(KORV_GAME_DIR) / expected.path; }

const Expected& file(const std::string& path) {
    return *std::find_if(std::begin(FILES), std::end(FILES), [&](const Expected& e) { return path == e.path; });
}

double rms(const std::vector<int>& samples, std::size_t start, std::size_t count) {
    double energy = 0.0;
    for (std::size_t i = start; i < start + count; ++i)
        energy += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(energy / static_cast<double>(count));
}

double decibels(double ratio) { return 20.0 * std::log10(ratio); }

// Energy of each pitch class from C4 to B6, summed over Hann windows of the
// channels' sum: where a piece spends its notes.
std::array<double, 12> pitchClassEnergy(const Wav& wav) {
    constexpr std::size_t WINDOW = 8192;
    constexpr int LOWEST = 60;
    constexpr int HIGHEST = 96;
    std::vector<double> mono(static_cast<std::size_t>(wav.info.frames), 0.0);
    for (std::size_t i = 0; i < wav.samples.size(); ++i)
        mono[i / wav.info.channels] += wav.samples[i];
    std::vector<double> hann(WINDOW);
    for (std::size_t i = 0; i < WINDOW; ++i)
        hann[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / WINDOW);
    std::array<double, 12> energy{};
    for (std::size_t start = 0; start + WINDOW <= mono.size(); start += WINDOW) {
        for (int note = LOWEST; note < HIGHEST; ++note) {
            // Goertzel: the power of one frequency over the window.
            const double frequency = 440.0 * std::pow(2.0, (note - 69) / 12.0);
            const double k = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / RATE);
            double s1 = 0.0, s2 = 0.0;
            for (std::size_t i = 0; i < WINDOW; ++i) {
                const double s0 = mono[start + i] * hann[i] + k * s1 - s2;
                s2 = s1;
                s1 = s0;
            }
            energy[note % 12] += s1 * s1 + s2 * s2 - k * s1 * s2;
        }
    }
    return energy;
}

std::string quoted(const fs::path& path) {
    std::string result(1, '\'');
    result += path.string();
    result += '\'';
    return result;
}

fs::path generatorProgram() { return fs::path(KORV_GAME_DIR).parent_path() / "tools" / "korv_gen_sounds"; }

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Sounds, EveryFileIsA16BitWavAt44100HzWithTheExpectedChannelsAndLength) {
    for (const Expected& expected : FILES) {
        SCOPED_TRACE(expected.path);
        ASSERT_TRUE(fs::exists(gameFile(expected)));
        const Wav wav = readWav(gameFile(expected));
        EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(wav.info.samplerate, RATE);
        EXPECT_EQ(wav.info.channels, expected.channels);
        EXPECT_GE(wav.seconds(), expected.minSeconds);
        EXPECT_LE(wav.seconds(), expected.maxSeconds);
    }
}

TEST(Sounds, EveryFileLoadsThroughTheGamesSoundLoaderWithoutAMessage) {
    // No sound card here: OpenAL Soft's silent output still takes buffers.
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(openAudioDevice());
    for (const Expected& expected : FILES) {
        SCOPED_TRACE(expected.path);
        testing::internal::CaptureStderr();
        const std::uint32_t buffer = loadSoundFile(gameFile(expected).string());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        ASSERT_NE(buffer, 0u);
        ALint channels = 0, bits = 0, frequency = 0;
        alGetBufferi(buffer, AL_CHANNELS, &channels);
        alGetBufferi(buffer, AL_BITS, &bits);
        alGetBufferi(buffer, AL_FREQUENCY, &frequency);
        EXPECT_EQ(channels, expected.channels);
        EXPECT_EQ(bits, 16);
        EXPECT_EQ(frequency, RATE);
    }
    closeAudioDevice();
}

TEST(Sounds, EveryFileIsLoudButNeverClips) {
    for (const Expected& expected : FILES) {
        SCOPED_TRACE(expected.path);
        const Wav wav = readWav(gameFile(expected));
        int peak = 0;
        for (short s : wav.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, FULL_SCALE);
        EXPECT_GT(peak, FULL_SCALE / 4) << "too quiet to be heard over the music";
    }
}

TEST(Sounds, EffectsAndTheIntroStartAndEndInSilence) {
    for (const Expected& expected : FILES) {
        if (expected.loops)
            continue;
        SCOPED_TRACE(expected.path);
        const Wav wav = readWav(gameFile(expected));
        for (int c = 0; c < wav.info.channels; ++c) {
            const std::vector<int> samples = wav.channel(c);
            ASSERT_FALSE(samples.empty());
            EXPECT_LE(std::abs(samples.front()), EDGE_TOLERANCE);
            EXPECT_LE(std::abs(samples.back()), EDGE_TOLERANCE);
        }
    }
}

TEST(Sounds, LoopsJoinTheirEndToTheirStartWithoutAClickOrAGap) {
    constexpr std::size_t WINDOW = RATE / 10;
    // -50 dBFS: a window this quiet would be heard as a hole in the music.
    const double silence = FULL_SCALE * std::pow(10.0, -50.0 / 20.0);
    for (const Expected& expected : FILES) {
        if (!expected.loops)
            continue;
        SCOPED_TRACE(expected.path);
        const Wav wav = readWav(gameFile(expected));
        for (int c = 0; c < wav.info.channels; ++c) {
            const std::vector<int> samples = wav.channel(c);
            const std::size_t n = samples.size();
            ASSERT_GT(n, 2 * SEAM_NEIGHBOURHOOD);
            int largestNearby = 0;
            for (std::size_t i = 0; i + 1 < SEAM_NEIGHBOURHOOD; ++i) {
                largestNearby = std::max(largestNearby, std::abs(samples[i + 1] - samples[i]));
                largestNearby = std::max(largestNearby, std::abs(samples[n - i - 1] - samples[n - i - 2]));
            }
            EXPECT_LE(std::abs(samples.front() - samples.back()), largestNearby) << "channel " << c;

            // Every window, including those that wrap around the loop point.
            for (std::size_t start = 0; start < n; start += WINDOW / 2) {
                double energy = 0.0;
                for (std::size_t i = 0; i < WINDOW; ++i) {
                    const double s = samples[(start + i) % n];
                    energy += s * s;
                }
                ASSERT_GT(std::sqrt(energy / WINDOW), silence) << "channel " << c << " at " << start << " frames";
            }
        }
    }
}

TEST(Sounds, NoFileCarriesAnOffset) {
    // 0.5 % of full scale: an offset this large thumps when a sound starts.
    constexpr double LARGEST_MEAN = FULL_SCALE * 0.005;
    for (const Expected& expected : FILES) {
        SCOPED_TRACE(expected.path);
        const Wav wav = readWav(gameFile(expected));
        for (int c = 0; c < wav.info.channels; ++c) {
            const std::vector<int> samples = wav.channel(c);
            double sum = 0.0;
            for (int s : samples)
                sum += s;
            EXPECT_LT(std::fabs(sum / static_cast<double>(samples.size())), LARGEST_MEAN) << "channel " << c;
        }
    }
}

TEST(Sounds, TheRunningHumHoldsASteadyLevelSoThatReplaysJoin) {
    const Wav wav = readWav(gameFile(file("Sounds/move.wav")));
    const std::vector<int> samples = wav.channel(0);
    // One wobble of the motor per window; the fades at the ends are left out.
    constexpr std::size_t WINDOW = RATE / 20;
    const std::size_t edge = samples.size() / 10;
    double quietest = FULL_SCALE;
    double loudest = 0.0;
    for (std::size_t start = edge; start + WINDOW <= samples.size() - edge; start += WINDOW / 4) {
        quietest = std::min(quietest, rms(samples, start, WINDOW));
        loudest = std::max(loudest, rms(samples, start, WINDOW));
    }
    EXPECT_LT(decibels(loudest / quietest), 2.0);
}

TEST(Music, EveryPieceStaysInItsKey) {
    struct Key {
        const char* path;
        std::set<int> pitchClasses;  // 0 is C
    };
    const Key keys[] = {
        // D major, with the B flat and C major chords of its fanfare.
        {"Musics/musicIntro.wav", {2, 4, 5, 6, 7, 9, 10, 0}},
        // A minor, with the E major chord that leads back to the start.
        {"Musics/musicMenu.wav", {9, 11, 0, 2, 4, 5, 7, 8}},
        // E minor, with the B major chord that leads back to the start.
        {"Musics/musicGame.wav", {4, 6, 7, 9, 11, 0, 2, 3}},
    };
    for (const Key& key : keys) {
        SCOPED_TRACE(key.path);
        const std::array<double, 12> energy = pitchClassEnergy(readWav(fs::path(KORV_GAME_DIR) / key.path));
        double inKey = 0.0, total = 0.0;
        for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
            total += energy[pitchClass];
            inKey += key.pitchClasses.count(pitchClass) ? energy[pitchClass] : 0.0;
        }
        // Notes picked at random would put about two thirds in these classes.
        EXPECT_GT(inKey / total, 0.95);
    }
}

TEST(Music, TheIntroEndsOnAChordThatDiesAwayWithoutAGap) {
    const Wav wav = readWav(gameFile(file("Musics/musicIntro.wav")));
    const std::vector<int> samples = wav.channel(0);
    constexpr std::size_t WINDOW = RATE / 10;
    std::vector<double> levels;
    for (std::size_t start = 0; start + WINDOW <= samples.size(); start += WINDOW / 2)
        levels.push_back(rms(samples, start, WINDOW));
    const double loudest = *std::max_element(levels.begin(), levels.end());
    EXPECT_LT(decibels(levels.back() / loudest), -30.0) << "the last chord is cut off rather than dying away";
    // Once the music has fallen silent, nothing loud follows: no hole in it.
    bool fellSilent = false;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        fellSilent = fellSilent || decibels(levels[i] / loudest) < -40.0;
        EXPECT_FALSE(fellSilent && decibels(levels[i] / loudest) > -20.0) << "sound after a hole, at window " << i;
    }
}

TEST(SoundGenerator, WritesTheSameBytesEveryRunAndTheRunFolderHoldsThem) {
    const fs::path generator = generatorProgram();
    ASSERT_TRUE(fs::exists(generator));
    const fs::path scratch = fs::temp_directory_path() / ("korv_sounds_test_" + std::to_string(getpid()));
    const fs::path first = scratch / "first";
    const fs::path second = scratch / "second";
    for (const fs::path& folder : {first, second}) {
        const std::string command = quoted(generator) + " " + quoted(folder);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    for (const Expected& expected : FILES) {
        SCOPED_TRACE(expected.path);
        const std::string bytes = contents(first / expected.path);
        EXPECT_FALSE(bytes.empty());
        EXPECT_TRUE(bytes == contents(second / expected.path));
        EXPECT_TRUE(bytes == contents(gameFile(expected)));
    }
    fs::remove_all(scratch);
}

TEST(SoundGenerator, FailsWhenItCannotWriteItsFiles) {
    const fs::path blocker = fs::temp_directory_path() / ("korv_sounds_blocker_" + std::to_string(getpid()));
    std::ofstream(blocker) << "a file where the run folder should be";
    const std::string command = quoted(generatorProgram()) + " " + quoted(blocker) + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    fs::remove(blocker);
}

}  // namespace
