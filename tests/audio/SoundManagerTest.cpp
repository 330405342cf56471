#include "AudioTestSupport.h"

#include "audio/Sound.h"
#include "audio/SoundManager.h"

#include <alc.h>

namespace {

class SoundRegistry : public testing::Test {
protected:
    void SetUp() override {
        useNullOutput();
        ASSERT_TRUE(openAudioDevice());
        writeToneWav(tone, 1, 44100, 4410);
    }

    TempDirectory folder;
    std::string tone = folder.file("tone.wav");
    SoundManager& sounds = SoundManager::instance();
};

TEST_F(SoundRegistry, FirstRegistrationOfANameDecidesItsFileSourcesAndLooping) {
    Sound* bound = sounds.loadSound("bound", tone, 3, false);
    ASSERT_NE(bound, nullptr);
    ASSERT_EQ(bound->sourceCount, 3);
    ASSERT_EQ(bound->sources.size(), 3u);

    EXPECT_EQ(sounds.loadSound("bound", folder.file("missing.wav"), 1, true), bound);
    EXPECT_EQ(bound->sourceCount, 3);
    for (ALuint source : bound->sources) {
        ALint looping = -1, buffer = -1;
        alGetSourcei(source, AL_LOOPING, &looping);
        alGetSourcei(source, AL_BUFFER, &buffer);
        EXPECT_EQ(looping, AL_FALSE);
        EXPECT_EQ(static_cast<ALuint>(buffer), bound->buffer);
    }
    // Names are exact and case-sensitive.
    EXPECT_NE(sounds.loadSound("Bound", tone, 1, false), bound);
    EXPECT_EQ(sounds.sounds.size(), 2u);
}

TEST_F(SoundRegistry, FilesDecodedAheadGiveTheSameRecords) {
    const std::string missing = folder.file("missing.wav");
    sounds.decodeAhead({tone, missing});
    Sound* ahead = sounds.loadSound("ahead", tone, 2, false);
    Sound* direct = sounds.loadSound("direct", tone, 2, false);
    ALint aheadSize = 0, directSize = -1;
    alGetBufferi(ahead->buffer, AL_SIZE, &aheadSize);
    alGetBufferi(direct->buffer, AL_SIZE, &directSize);
    EXPECT_EQ(aheadSize, directSize);
    EXPECT_EQ(ahead->sources.size(), 2u);
    // A file that failed is an empty record, as when it is read on loading.
    Sound* failed = sounds.loadSound("failed", missing, 1, false);
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(failed->buffer, 0u);
}

TEST_F(SoundRegistry, FailedFilesAndSourceCountsOutOfRangeAreHarmless) {
    Sound* missing = sounds.loadSound("goal", folder.file("missing.wav"), 2, true);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->buffer, 0u);
    EXPECT_EQ(missing->sourceCount, 2);
    missing->setGain(0.5f);
    missing->play(1, 2, 3);
    missing->playOnSource(1, 0, 0, 0);
    missing->stopAll();

    // No sources below one, and indices outside the sources are ignored.
    for (int count : {0, -4}) {
        Sound* none = sounds.loadSound("none" + std::to_string(count), tone, count, false);
        EXPECT_EQ(none->sourceCount, 0);
        none->play(0, 0, 0);
        none->playOnSource(0, 0, 0, 0);
    }
    Sound* one = sounds.loadSound("one", tone, 1, false);
    one->playOnSource(1, 0, 0, 0);
    one->playOnSource(-1, 0, 0, 0);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

// With nothing to play on (no sound card, or no output that opens) the game
// goes on silently and every sound call is harmless.
TEST(SoundWithoutDevice, OutputThatCannotOpenLeavesTheGameSilentAndHarmless) {
    TempDirectory folder;
    useWaveOutput(folder, "", "mono");
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
