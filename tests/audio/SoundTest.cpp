#include "AudioTestSupport.h"

#include "audio/MusicStream.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"

#include <alc.h>

#include <array>
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
        writeToneWav(longTone, 1, RATE, 2 * RATE);
    }

    TempDirectory folder;
    std::string longTone = folder.file("long.wav");
    SoundManager& sounds = SoundManager::instance();
};

TEST_F(SoundPlayback, PlayTakesTheFirstIdleSourceAndRestartsSourceZeroWhenAllAreBusy) {
    Sound* bound = sounds.loadSound("bound", longTone, 3, false);
    // The first registration of a name decides its file, sources and
    // looping; names are exact and case-sensitive.
    EXPECT_EQ(sounds.loadSound("bound", folder.file("missing.wav"), 1, true), bound);
    EXPECT_NE(sounds.loadSound("Bound", longTone, 1, false), bound);
    EXPECT_EQ(sounds.sounds.size(), 2u);
    ASSERT_EQ(bound->sources.size(), 3u);
    for (int i = 0; i < 3; ++i) bound->play(i + 1, 0, 0);
    waitMs(200);
    ALint before[3];
    for (int i = 0; i < 3; ++i) before[i] = sampleOffset(bound->sources[i]);
    ASSERT_GT(before[0], RATE / 20);

    bound->play(9, 9, 9);
    EXPECT_LT(sampleOffset(bound->sources[0]), before[0] / 2);
    EXPECT_EQ(position(bound->sources[0]), (std::array<float, 3>{1, 0, 0}));
    for (int i = 1; i < 3; ++i) {
        EXPECT_GE(sampleOffset(bound->sources[i]), before[i]);
        EXPECT_EQ(position(bound->sources[i])[0], float(i + 1));
    }
}

TEST_F(SoundPlayback, LoopingSoundPlaysAgainFromTheStartAndRestartsWhilePlaying) {
    Sound* music = sounds.loadSound("musicMenu", longTone, 1, true);
    const ALuint source = music->sources[0];
    music->setGain(0.8f);
    ALfloat gain = 0;
    alGetSourcef(source, AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.8f);
    ALint looping = AL_FALSE;
    alGetSourcei(source, AL_LOOPING, &looping);
    EXPECT_EQ(looping, AL_TRUE);

    music->play(0, 0, 0);
    waitMs(150);
    ASSERT_GT(sampleOffset(source), RATE / 20);
    music->play(0, 0, 0);
    EXPECT_LT(sampleOffset(source), RATE / 20);

    music->stopAll();
    EXPECT_EQ(sourceState(source), AL_STOPPED);
}

// The gain that reaches OpenAL: a sound's own, under the square of its
// kind's volume level; a sound loaded later gets its kind's volume too.
TEST_F(SoundPlayback, EachKindsVolumeScalesTheGainOfItsSoundsFromSilenceToAsMade) {
    Sound* music = sounds.loadSound("musicGame", longTone, 1, true, SoundKind::Music);
    music->setGain(0.8f);
    Sound* effect = sounds.loadSound("bound", longTone, 3, false);
    const auto gain = [](const Sound* sound) {
        ALfloat value = -1;
        alGetSourcef(sound->sources.back(), AL_GAIN, &value);
        return value;
    };
    const struct { int music, effects; float musicGain, effectGain; } cases[] = {
        {10, 10, 0.8f, 1.0f}, {5, 10, 0.2f, 1.0f}, {5, 0, 0.2f, 0.0f}, {0, 5, 0.0f, 0.25f}, {12, -1, 0.8f, 0.0f},
    };
    for (const auto& c : cases) {
        sounds.setVolume(SoundKind::Music, c.music);
        sounds.setVolume(SoundKind::Effect, c.effects);
        EXPECT_FLOAT_EQ(gain(music), c.musicGain) << c.music;
        EXPECT_FLOAT_EQ(gain(effect), c.effectGain) << c.effects;
    }
    EXPECT_FLOAT_EQ(gain(sounds.loadSound("goal", longTone, 1, false)), 0.0f);
}

TEST_F(SoundPlayback, PlayOnSourceStartsThatSourceOnlyAndSourcesOutOfRangeAreHarmless) {
    Sound* move = sounds.loadSound("move", longTone, 2, false);
    move->playOnSource(1, -1, 0.5, 0);
    EXPECT_EQ(sourceState(move->sources[1]), AL_PLAYING);
    EXPECT_NE(sourceState(move->sources[0]), AL_PLAYING);
    EXPECT_EQ(position(move->sources[1]), (std::array<float, 3>{-1, 0.5f, 0}));
    // Indices outside the sources are ignored.
    move->playOnSource(2, 0, 0, 0);
    move->playOnSource(-1, 0, 0, 0);
    // No sources below one.
    for (int count : {0, -4}) {
        Sound* none = sounds.loadSound("none" + std::to_string(count), longTone, count, false);
        EXPECT_EQ(none->sourceCount, 0);
        none->play(0, 0, 0);
        none->playOnSource(0, 0, 0, 0);
    }
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

TEST_F(SoundPlayback, FilesDecodedAheadGiveTheSameRecords) {
    const std::string missing = folder.file("missing.wav");
    sounds.decodeAhead({longTone, missing});
    Sound* ahead = sounds.loadSound("ahead", longTone, 2, false);
    Sound* direct = sounds.loadSound("direct", longTone, 2, false);
    EXPECT_EQ(bufferProperty(ahead->buffer, AL_SIZE), bufferProperty(direct->buffer, AL_SIZE));
    EXPECT_EQ(ahead->sources.size(), 2u);
    // A file that failed is an empty record, as when it is read on loading.
    EXPECT_EQ(sounds.loadSound("failed", missing, 1, false)->buffer, 0u);
}

// The mix as OpenAL Soft writes it to a file. The wave output runs in real
// time and completes the file's header when the device closes.
class HeardOutput : public testing::Test {
protected:
    DecodedFile playAndRecord(const std::string& soundFile, bool looping = false,
                              SoundKind kind = SoundKind::Effect, int playedMs = 400) {
        const std::string output = folder.file("mix.wav");
        useWaveOutput(folder, output);
        EXPECT_TRUE(openAudioDevice());
        SoundManager::instance().loadSound("heard", soundFile, 1, looping, kind)->play(0, 0, 0);
        waitMs(playedMs);
        SoundManager::instance().removeSound("heard");
        closeAudioDevice();
        return readWav(output);
    }

    TempDirectory folder;
};

TEST_F(HeardOutput, FloatingPointFilePlaysAtItsOwnLoudness) {
    constexpr double AMPLITUDE = 0.25;
    writeSoundFile(folder.file("float.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, RATE,
                   tone(440, AMPLITUDE, RATE, RATE / 5, 1));
    writeToneWav(folder.file("short.wav"), 1, RATE, RATE / 5, 440, AMPLITUDE);
    const int floatPeak = peak(playAndRecord(folder.file("float.wav")).samples);
    const int shortPeak = peak(playAndRecord(folder.file("short.wav")).samples);
    EXPECT_GT(shortPeak, 1000);
    EXPECT_NEAR(floatPeak, shortPeak, shortPeak / 20);
}

// Music streams from its file. Heard through the wave output, a looping
// piece shorter than one buffer, played past every buffer being queued
// again, is its samples over and over: each loop point its end followed by
// its start, with no gap and no click. A piece played once ends in silence.
// A damaged file is silence.
TEST_F(HeardOutput, StreamedMusicLoopsWithoutASeamAndAPiecePlayedOnceEnds) {
    constexpr int FRAMES = 3001;  // not a divisor of a buffer, so seams fall inside them
    std::vector<float> noise;
    std::uint32_t seed = 7;
    for (int i = 0; i < FRAMES; ++i)
        noise.push_back(i == 0 ? 0.5f : static_cast<float>((seed = seed * 1664525u + 1013904223u) >> 8) / (1 << 24) - 0.5f);
    const std::string piece = folder.file("piece.wav");
    writeSoundFile(piece, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, RATE, noise);
    const std::vector<double> file = readWav(piece).channel(0);
    const int playedMs = 1000 * MusicStream::BUFFER_COUNT * MusicStream::BUFFER_FRAMES / RATE + 300;
    for (const bool looping : {true, false}) {
        SCOPED_TRACE(looping ? "looping" : "once");
        const std::vector<double> heard = playAndRecord(piece, looping, SoundKind::Music, playedMs).channel(0);
        const auto start = std::find(heard.begin(), heard.end(), file[0]);
        ASSERT_NE(start, heard.end());
        const auto first = static_cast<std::size_t>(start - heard.begin());
        const std::size_t frames = looping ? (heard.size() - first) / FRAMES * FRAMES : FRAMES;
        if (looping) {
            ASSERT_GT(frames, static_cast<std::size_t>(MusicStream::BUFFER_COUNT * MusicStream::BUFFER_FRAMES));
        }
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < frames; ++i) wrong += heard[first + i] != file[i % FRAMES];
        EXPECT_EQ(wrong, 0u);
        if (!looping) {
            EXPECT_EQ(rms(heard, first + FRAMES, heard.size() - first - FRAMES), 0.0);
        }
    }
    // A music file that cannot be read plays as silence; the game goes on.
    std::ofstream(folder.file("damaged.wav")) << "RIFF\x24\0\0\0WAVEfmt garbage";
    EXPECT_EQ(peak(playAndRecord(folder.file("damaged.wav"), true, SoundKind::Music, 200).samples), 0);
}

// With nothing to play on (no sound card, or no output that opens) the game
// goes on silently and every sound call is harmless.
TEST(SoundWithoutDevice, OutputThatCannotOpenLeavesTheGameSilentAndHarmless) {
    TempDirectory folder;
    useWaveOutput(folder, "");
    EXPECT_FALSE(openAudioDevice());
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    SoundManager& sounds = SoundManager::instance();
    Sound* sound = sounds.loadSound("bound", writeToneWav(folder.file("tone.wav"), 1, 44100, 100), 3, false);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->buffer, 0u);
    EXPECT_EQ(sound->sourceCount, 3);
    sound->setGain(0.3f);
    for (int i = 0; i < 5; ++i) sound->play(i, 0, 0);
    sound->playOnSource(2, 1, 1, 1);
    sound->stopAll();
    sounds.loadSound("musicMenu", folder.file("tone.wav"), 1, true)->play(0, 0, 0);
    sounds.removeSound("bound");
    EXPECT_EQ(sounds.sounds.size(), 1u);
}

}  // namespace
