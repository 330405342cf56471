#include "AudioTestSupport.h"

#include "audio/Sound.h"
#include "audio/SoundManager.h"

#include <chrono>
#include <thread>

namespace {

constexpr int RATE = 44100;

void waitMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

ALint sampleOffset(ALuint source) {
    ALint offset = -1;
    alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
    return offset;
}

std::array<float, 3> position(ALuint source) {
    std::array<float, 3> p{};
    alGetSource3f(source, AL_POSITION, &p[0], &p[1], &p[2]);
    return p;
}

class SoundPlayback : public testing::Test {
protected:
    void SetUp() override {
        useNullOutput();
        ASSERT_TRUE(openAudioDevice());
        writeToneWav(folder.file("long.wav"), 1, RATE, 2 * RATE);
    }

    ScratchFolder folder;
    SoundManager& sounds = SoundManager::instance();
};

TEST_F(SoundPlayback, PlayTakesTheFirstIdleSourceAndRestartsSourceZeroWhenAllAreBusy) {
    Sound* bound = sounds.loadSound("bound", folder.file("long.wav"), 3, false);
    bound->play(1, 0, 0);
    bound->play(2, 0, 0);
    bound->play(3, 0, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sourceState(bound->sources[i]), AL_PLAYING);
        EXPECT_EQ(position(bound->sources[i])[0], float(i + 1));
    }
    waitMs(200);
    const ALint before[3] = {sampleOffset(bound->sources[0]), sampleOffset(bound->sources[1]),
                             sampleOffset(bound->sources[2])};
    ASSERT_GT(before[0], RATE / 20);

    bound->play(9, 9, 9);
    EXPECT_LT(sampleOffset(bound->sources[0]), before[0] / 2);
    EXPECT_EQ(position(bound->sources[0]), (std::array<float, 3>{1, 0, 0}));
    for (int i = 1; i < 3; ++i) {
        EXPECT_GE(sampleOffset(bound->sources[i]), before[i]);
        EXPECT_EQ(position(bound->sources[i])[0], float(i + 1));
        EXPECT_EQ(sourceState(bound->sources[i]), AL_PLAYING);
    }
}

TEST_F(SoundPlayback, LoopingSoundPlaysAgainFromTheStartAndRestartsWhilePlaying) {
    Sound* music = sounds.loadSound("musicMenu", folder.file("long.wav"), 1, true);
    music->setGain(0.8f);
    ALfloat gain = 0;
    alGetSourcef(music->sources[0], AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.8f);

    music->play(0, 0, 0);
    waitMs(150);
    ASSERT_GT(sampleOffset(music->sources[0]), RATE / 20);
    music->play(0, 0, 0);
    EXPECT_LT(sampleOffset(music->sources[0]), RATE / 20);

    music->stopAll();
    EXPECT_EQ(sourceState(music->sources[0]), AL_STOPPED);
    music->play(0, 0, 0);
    EXPECT_EQ(sourceState(music->sources[0]), AL_PLAYING);
    EXPECT_LT(sampleOffset(music->sources[0]), RATE / 20);
}

TEST_F(SoundPlayback, PlayOnSourcePlacesAndStartsThatSourceOnly) {
    Sound* move = sounds.loadSound("move", folder.file("long.wav"), 2, false);
    move->playOnSource(1, -1, 0.5, 0);
    EXPECT_EQ(sourceState(move->sources[1]), AL_PLAYING);
    EXPECT_NE(sourceState(move->sources[0]), AL_PLAYING);
    EXPECT_EQ(position(move->sources[1]), (std::array<float, 3>{-1, 0.5f, 0}));
    move->stopAll();
    EXPECT_EQ(sourceState(move->sources[1]), AL_STOPPED);
}

// The mix as OpenAL Soft writes it to a file. The wave output runs in real
// time and completes the file's header when the device closes.
class HeardOutput : public testing::Test {
protected:
    DecodedFile playAndRecord(const std::string& channels, const std::string& soundFile, double x,
                              int playMs) {
        const std::string output = folder.file("mix.wav");
        useWaveOutput(folder, output, channels);
        EXPECT_TRUE(openAudioDevice());
        SoundManager::instance().loadSound("heard", soundFile, 1, false)->play(x, 0, 0);
        waitMs(playMs);
        SoundManager::instance().removeSound("heard");
        closeAudioDevice();
        return readWav(output);
    }

    ScratchFolder folder;
};

// Power of one frequency in a channel (Goertzel), relative to the signal.
double powerAt(const DecodedFile& mix, int channel, double frequency) {
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / RATE);
    double previous = 0;
    double beforePrevious = 0;
    for (std::size_t i = channel; i < mix.samples.size(); i += mix.channels) {
        const double current = mix.samples[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

double rms(const DecodedFile& mix, int channel) {
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = channel; i < mix.samples.size(); i += mix.channels, ++count) {
        sum += double(mix.samples[i]) * mix.samples[i];
    }
    return count == 0 ? 0 : std::sqrt(sum / count);
}

int peak(const DecodedFile& mix) {
    int highest = 0;
    for (short sample : mix.samples) {
        highest = std::max(highest, std::abs(int(sample)));
    }
    return highest;
}

TEST_F(HeardOutput, ToneThroughTheRegistryAppearsInTheMix) {
    writeToneWav(folder.file("a440.wav"), 1, RATE, RATE / 4);
    const DecodedFile mix = playAndRecord("mono", folder.file("a440.wav"), 0, 400);
    ASSERT_EQ(mix.channels, 1);
    ASSERT_GT(mix.frames, RATE / 4);
    EXPECT_GT(rms(mix, 0), 1000);
    EXPECT_GT(powerAt(mix, 0, 440), 100 * powerAt(mix, 0, 660));
    EXPECT_GT(powerAt(mix, 0, 440), 100 * powerAt(mix, 0, 220));
}

TEST_F(HeardOutput, SoundOnTheLeftOfTheListenerIsLouderInTheLeftChannel) {
    writeToneWav(folder.file("a440.wav"), 1, RATE, RATE / 4);
    // A disc at world x = +6 sounds at -1.
    const DecodedFile left = playAndRecord("stereo", folder.file("a440.wav"), -1, 400);
    ASSERT_EQ(left.channels, 2);
    EXPECT_GT(rms(left, 0), 2 * rms(left, 1));
    const DecodedFile right = playAndRecord("stereo", folder.file("a440.wav"), 1, 400);
    EXPECT_GT(rms(right, 1), 2 * rms(right, 0));
}

TEST_F(HeardOutput, FloatingPointFilePlaysAtItsOwnLoudness) {
    constexpr double AMPLITUDE = 0.25;
    writeSoundFile(folder.file("float.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, RATE,
                   tone(440, AMPLITUDE, RATE, RATE / 5, 1));
    writeToneWav(folder.file("short.wav"), 1, RATE, RATE / 5, 440, AMPLITUDE);
    const int floatPeak = peak(playAndRecord("mono", folder.file("float.wav"), 0, 300));
    const int shortPeak = peak(playAndRecord("mono", folder.file("short.wav"), 0, 300));
    EXPECT_GT(shortPeak, 1000);
    EXPECT_NEAR(floatPeak, shortPeak, shortPeak / 20);
}

TEST(HeardAtExit, RegistryTeardownClosesTheDeviceAndCompletesTheFile) {
    ScratchFolder folder;
    const std::string output = folder.file("exit.wav");
    writeToneWav(folder.file("a440.wav"), 1, RATE, RATE / 10);
    // The game's process, ending as it does: static teardown at exit.
    EXPECT_EXIT(
        {
            useWaveOutput(folder, output, "mono");
            openAudioDevice();
            SoundManager::instance().loadSound("beep", folder.file("a440.wav"), 5, false)->play(0, 0, 0);
            waitMs(150);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    const DecodedFile mix = readWav(output);
    EXPECT_EQ(mix.channels, 1);
    EXPECT_GT(mix.frames, RATE / 20);
    EXPECT_GT(rms(mix, 0), 500);
}

}  // namespace
