#include "AudioTestSupport.h"

#include "audio/SoundFile.h"
#include "audio/SoundManager.h"

#include <cstdio>

namespace {

const std::string MESSAGE_CANNOT_OPEN = "Impossible d'ouvrir le fichier audio\n";
const std::string MESSAGE_CANNOT_READ =
    "Impossible de lire les \xE9"
    "chantillons stock\xE9"
    "s dans le fichier audio\n";
const std::string MESSAGE_TOO_MANY_CHANNELS =
    "Format audio non support\xE9"
    " (plus de 2 canaux)\n";

class SoundFileLoading : public testing::Test {
protected:
    void SetUp() override {
        useNullOutput();
        ASSERT_TRUE(openAudioDevice());
    }

    // Loads the file and returns the buffer, with what went to stderr.
    ALuint load(const std::string& path, std::string& messages) {
        testing::internal::CaptureStderr();
        const ALuint buffer = loadSoundFile(path);
        messages = testing::internal::GetCapturedStderr();
        return buffer;
    }

    // A FLAC file holding `frames` frames whose header announces `announced`.
    std::string flacAnnouncing(std::uint64_t announced, int frames) {
        const std::string path = folder.file("announced.flac");
        writeSoundFile(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 8000, tone(440, 0.5, 8000, frames, 1));
        // The 36-bit total sample count ends the 8 bytes at offset 18.
        constexpr long FIELD_OFFSET = 18;
        constexpr std::uint64_t TOTAL_MASK = (std::uint64_t{1} << 36) - 1;
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        unsigned char bytes[8];
        std::fseek(file, FIELD_OFFSET, SEEK_SET);
        EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), sizeof bytes);
        std::uint64_t field = 0;
        for (unsigned char byte : bytes) {
            field = field << 8 | byte;
        }
        field = (field & ~TOTAL_MASK) | (announced & TOTAL_MASK);
        for (int i = 7; i >= 0; --i, field >>= 8) {
            bytes[i] = static_cast<unsigned char>(field & 0xFF);
        }
        std::fseek(file, FIELD_OFFSET, SEEK_SET);
        std::fwrite(bytes, 1, sizeof bytes, file);
        std::fclose(file);
        return path;
    }

    ScratchFolder folder;
};

TEST_F(SoundFileLoading, MonoAndStereoFilesGiveSixteenBitBuffersAtTheFilesRate) {
    std::string messages;
    writeToneWav(folder.file("mono.wav"), 1, 22050, 1000);
    const ALuint mono = load(folder.file("mono.wav"), messages);
    ASSERT_NE(mono, 0u);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(bufferProperty(mono, AL_SIZE), 2 * 1000);
    EXPECT_EQ(bufferProperty(mono, AL_CHANNELS), 1);
    EXPECT_EQ(bufferProperty(mono, AL_BITS), 16);
    EXPECT_EQ(bufferProperty(mono, AL_FREQUENCY), 22050);

    writeToneWav(folder.file("stereo.wav"), 2, 48000, 1000);
    const ALuint stereo = load(folder.file("stereo.wav"), messages);
    ASSERT_NE(stereo, 0u);
    EXPECT_NE(stereo, mono);
    EXPECT_EQ(bufferProperty(stereo, AL_SIZE), 4 * 1000);
    EXPECT_EQ(bufferProperty(stereo, AL_CHANNELS), 2);
    EXPECT_EQ(bufferProperty(stereo, AL_FREQUENCY), 48000);
}

TEST_F(SoundFileLoading, MissingAndFourChannelFilesWriteTheirExactLineAndGiveBufferZero) {
    std::string messages;
    EXPECT_EQ(load(folder.file("missing.wav"), messages), 0u);
    EXPECT_EQ(messages, MESSAGE_CANNOT_OPEN);

    std::ofstream(folder.file("noise.wav")) << "not a sound file at all";
    EXPECT_EQ(load(folder.file("noise.wav"), messages), 0u);
    EXPECT_EQ(messages, MESSAGE_CANNOT_OPEN);

    writeToneWav(folder.file("quad.wav"), 4, 44100, 500);
    EXPECT_EQ(load(folder.file("quad.wav"), messages), 0u);
    EXPECT_EQ(messages, MESSAGE_TOO_MANY_CHANNELS);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

TEST_F(SoundFileLoading, HeaderAnnouncingMoreSamplesThanTheFileHoldsIsRefused) {
    std::string messages;
    EXPECT_EQ(load(flacAnnouncing(5000, 1000), messages), 0u);
    EXPECT_EQ(messages, MESSAGE_CANNOT_READ);

    // A count whose low 32 bits alone would look small, and one far beyond
    // anything OpenAL takes: refused before any memory is asked for.
    EXPECT_EQ(load(flacAnnouncing((std::uint64_t{1} << 32) + 100, 1000), messages), 0u);
    EXPECT_EQ(messages, MESSAGE_CANNOT_READ);
    EXPECT_EQ(load(flacAnnouncing((std::uint64_t{1} << 36) - 1, 1000), messages), 0u);
    EXPECT_EQ(messages, MESSAGE_CANNOT_READ);
}

TEST_F(SoundFileLoading, TruncatedWavLoadsTheFramesItHolds) {
    const std::string path = folder.file("cut.wav");
    writeToneWav(path, 1, 8000, 1000);
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 2 * 400);
    std::string messages;
    const ALuint buffer = load(path, messages);
    ASSERT_NE(buffer, 0u);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(bufferProperty(buffer, AL_SIZE), 2 * 600);
}

TEST_F(SoundFileLoading, FileWithNoFramesIsSilenceWithoutAMessage) {
    std::string messages;
    writeSoundFile(folder.file("empty.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100, {});
    EXPECT_EQ(load(folder.file("empty.wav"), messages), 0u);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(alGetError(), AL_NO_ERROR);

    writeSoundFile(folder.file("emptyQuad.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4, 44100, {});
    EXPECT_EQ(load(folder.file("emptyQuad.wav"), messages), 0u);
    EXPECT_EQ(messages, MESSAGE_TOO_MANY_CHANNELS);
}

TEST_F(SoundFileLoading, ErrorLeftByAnEarlierCallDoesNotFailAGoodFile) {
    alSourcei(0xDEAD, AL_LOOPING, AL_TRUE);  // no such source: an error is left pending
    writeToneWav(folder.file("good.wav"), 1, 44100, 100);
    std::string messages;
    EXPECT_NE(load(folder.file("good.wav"), messages), 0u);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

TEST(SoundFileWithoutDevice, NothingIsDecodedOrWrittenWhenNoContextIsCurrent) {
    ScratchFolder folder;
    writeToneWav(folder.file("tone.wav"), 1, 44100, 100);
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadSoundFile(folder.file("tone.wav")), 0u);
    EXPECT_EQ(loadSoundFile(folder.file("missing.wav")), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
