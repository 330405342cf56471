// The generated sounds and music: present in the run folder, loadable by
// the game, clean at their edges and loop points, and the same bytes on
// every run.
#include "GeneratorRun.h"
#include "audio/AudioTestSupport.h"

#include "audio/SoundFile.h"
#include "audio/SoundManager.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

struct Expected {
    const char* path;
    int channels;
    bool loops;
};

constexpr Expected FILES[] = {
    {"Sounds/bound.wav", 1, false},       {"Sounds/goal.wav", 1, false},      {"Sounds/lame.wav", 1, false},
    {"Sounds/engage.wav", 1, false},      {"Sounds/throw.wav", 1, false},     {"Sounds/move.wav", 1, false},
    {"Sounds/straf.wav", 1, false},       {"Sounds/getFrisbee.wav", 1, false}, {"Sounds/beep.wav", 1, false},
    {"Sounds/beep2.wav", 1, false},       {"Musics/musicIntro.wav", 2, false}, {"Musics/musicMenu.wav", 2, true},
    {"Musics/musicGame.wav", 2, true},
};

constexpr int RATE = 44100;
constexpr double FULL_SCALE = 32767;
// About -54 dBFS: what a file may start or end on without an audible click.
constexpr double EDGE_TOLERANCE = 64;
// Neighbourhood of the loop point whose sample-to-sample jumps the seam is
// compared with.
constexpr std::size_t SEAM_NEIGHBOURHOOD = 1024;

std::string gameFile(const char* path) { return std::string(KORV_GAME_DIR) + "/" + path; }

// A loop's end joins its start: the jump from the last sample to the first is
// no larger than those near it, and no window, even one across the loop
// point, is quiet enough to be heard as a hole in the music.
void expectSeamless(const std::vector<double>& samples) {
    constexpr std::size_t WINDOW = RATE / 10;
    const double silence = FULL_SCALE * std::pow(10.0, -50.0 / 20.0);  // -50 dBFS
    const std::size_t n = samples.size();
    ASSERT_GT(n, 2 * SEAM_NEIGHBOURHOOD);
    double largestNearby = 0;
    for (std::size_t i = 0; i + 1 < SEAM_NEIGHBOURHOOD; ++i)
        largestNearby = std::max({largestNearby, std::abs(samples[i + 1] - samples[i]),
                                  std::abs(samples[n - i - 1] - samples[n - i - 2])});
    EXPECT_LE(std::abs(samples.front() - samples.back()), largestNearby);
    std::vector<double> wrapped(samples);
    wrapped.insert(wrapped.end(), samples.begin(), samples.begin() + WINDOW);
    for (std::size_t start = 0; start + WINDOW <= wrapped.size(); start += WINDOW / 2)
        ASSERT_GT(rms(wrapped, start, WINDOW), silence) << "a hole at sample " << start;
}

TEST(Sounds, EveryFileLoadsLoudUnclippedAndCleanAtItsEdgesOrSeam) {
    useNullOutput();
    ASSERT_TRUE(openAudioDevice());
    for (const Expected& expected : FILES) {
        SCOPED_TRACE(expected.path);
        // Through the game's own loader, without a message.
        testing::internal::CaptureStderr();
        const std::uint32_t buffer = loadSoundFile(gameFile(expected.path));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_NE(buffer, 0u);

        const DecodedFile wav = readWav(gameFile(expected.path));
        EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(wav.info.samplerate, RATE);
        ASSERT_EQ(wav.info.channels, expected.channels);

        const int loudest = peak(wav.samples);
        EXPECT_LT(loudest, FULL_SCALE);
        EXPECT_GT(loudest, FULL_SCALE / 4);
        for (int c = 0; c < wav.info.channels; ++c) {
            SCOPED_TRACE("channel " + std::to_string(c));
            const std::vector<double> samples = wav.channel(c);
            ASSERT_FALSE(samples.empty());
            if (expected.loops) {
                expectSeamless(samples);
            } else {  // effects and the intro start and end in silence
                EXPECT_LE(std::abs(samples.front()), EDGE_TOLERANCE);
                EXPECT_LE(std::abs(samples.back()), EDGE_TOLERANCE);
            }
        }
    }
}

TEST(SoundGenerator, WritesTheSameBytesEveryRunAndTheRunFolderHoldsThem) {
    EXPECT_EQ(expectGeneratorRepeatsTheRunFolder("korv_gen_sounds"), static_cast<int>(std::size(FILES)));
}

TEST(SoundGenerator, FailsWhenItCannotWriteItsFiles) {
    TempDirectory folder;
    const std::string blocker = folder.file("blocker");
    std::ofstream(blocker) << "a file where the run folder should be";
    const std::string command = generatorCommand("korv_gen_sounds", blocker) + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
