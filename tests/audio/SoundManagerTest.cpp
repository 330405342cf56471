#include "AudioTestSupport.h"

#include "audio/Sound.h"
#include "audio/SoundManager.h"

namespace {

class SoundRegistry : public testing::Test {
protected:
    void SetUp() override {
        useNullOutput();
        ASSERT_TRUE(openAudioDevice());
        writeToneWav(folder.file("tone.wav"), 1, 44100, 4410);
    }

    ScratchFolder folder;
    SoundManager& sounds = SoundManager::instance();
};

TEST_F(SoundRegistry, FirstRegistrationOfANameDecidesItsFileSourcesAndLooping) {
    Sound* bound = sounds.loadSound("bound", folder.file("tone.wav"), 3, false);
    ASSERT_NE(bound, nullptr);
    EXPECT_NE(bound->buffer, 0u);
    ASSERT_EQ(bound->sourceCount, 3);
    ASSERT_EQ(bound->sources.size(), 3u);

    Sound* again = sounds.loadSound("bound", folder.file("missing.wav"), 1, true);
    EXPECT_EQ(again, bound);
    EXPECT_EQ(again->sourceCount, 3);
    for (ALuint source : bound->sources) {
        ALint looping = -1;
        ALint buffer = -1;
        alGetSourcei(source, AL_LOOPING, &looping);
        alGetSourcei(source, AL_BUFFER, &buffer);
        EXPECT_EQ(looping, AL_FALSE);
        EXPECT_EQ(static_cast<ALuint>(buffer), bound->buffer);
    }
    // Names are exact and case-sensitive.
    EXPECT_NE(sounds.loadSound("Bound", folder.file("tone.wav"), 1, false), bound);
    EXPECT_EQ(sounds.sounds.size(), 2u);
}

TEST_F(SoundRegistry, RemovedNameIsGoneAndALaterLoadBuildsANewRecord) {
    Sound* intro = sounds.loadSound("musicIntro", folder.file("tone.wav"), 1, false);
    intro->play(0, 0, 0);
    intro->stopAll();
    sounds.removeSound("musicIntro");
    EXPECT_EQ(sounds.sounds.count("musicIntro"), 0u);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);

    Sound* rebuilt = sounds.loadSound("musicIntro", folder.file("tone.wav"), 2, true);
    EXPECT_EQ(rebuilt->sourceCount, 2);
    EXPECT_NE(rebuilt->buffer, 0u);
}

TEST_F(SoundRegistry, FailedFileStillRegistersTheNameWithBufferZeroThatPlaysSilently) {
    testing::internal::CaptureStderr();
    Sound* missing = sounds.loadSound("goal", folder.file("missing.wav"), 2, true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Impossible d'ouvrir le fichier audio\n");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->buffer, 0u);
    EXPECT_EQ(missing->sourceCount, 2);

    missing->setGain(0.5f);
    missing->play(1, 2, 3);
    missing->playOnSource(1, 0, 0, 0);
    missing->stopAll();
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

TEST_F(SoundRegistry, ClosingTheDeviceLeavesNoContextCurrent) {
    closeAudioDevice();
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    closeAudioDevice();
}

// With nothing to play on (no sound card, or no output that opens) the game
// goes on silently and every sound call is harmless.
void exerciseEverySoundCall(const ScratchFolder& folder) {
    SoundManager& sounds = SoundManager::instance();
    Sound* sound = sounds.loadSound("bound", folder.file("tone.wav"), 3, false);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->buffer, 0u);
    EXPECT_EQ(sound->sourceCount, 3);
    sound->setGain(0.3f);
    for (int i = 0; i < 5; ++i) {
        sound->play(i, 0, 0);
    }
    sound->playOnSource(2, 1, 1, 1);
    sound->stopAll();
    sounds.loadSound("musicMenu", folder.file("tone.wav"), 1, true)->play(0, 0, 0);
    sounds.removeSound("bound");
    EXPECT_EQ(sounds.sounds.size(), 1u);
}

TEST(SoundWithoutDevice, OutputThatCannotOpenLeavesTheGameSilentAndHarmless) {
    ScratchFolder folder;
    writeToneWav(folder.file("tone.wav"), 1, 44100, 100);
    useWaveOutput(folder, "", "mono");
    EXPECT_FALSE(openAudioDevice());
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    exerciseEverySoundCall(folder);
}

TEST(SoundWithoutDevice, EverySoundCallIsHarmlessBeforeAnyDeviceIsOpened) {
    ScratchFolder folder;
    writeToneWav(folder.file("tone.wav"), 1, 44100, 100);
    useNullOutput();
    exerciseEverySoundCall(folder);
}

TEST(SoundWithoutDevice, SourceCountBelowOneAndSourceIndexOutOfRangeAreHarmless) {
    useNullOutput();
    ASSERT_TRUE(openAudioDevice());
    Sound* none = SoundManager::instance().loadSound("none", "missing.wav", 0, false);
    EXPECT_EQ(none->sourceCount, 0);
    none->play(0, 0, 0);
    Sound* negative = SoundManager::instance().loadSound("negative", "missing.wav", -4, false);
    EXPECT_EQ(negative->sourceCount, 0);
    negative->playOnSource(0, 0, 0, 0);
    Sound* one = SoundManager::instance().loadSound("one", "missing.wav", 1, false);
    one->playOnSource(1, 0, 0, 0);
    one->playOnSource(-1, 0, 0, 0);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

}  // namespace
