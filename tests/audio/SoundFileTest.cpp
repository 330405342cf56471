#include "AudioTestSupport.h"

#include "audio/SoundFile.h"
#include "audio/SoundManager.h"

#include <alc.h>

#include <cstdint>
#include <cstdio>
#include <utility>

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

    std::string toneWav(const std::string& name, int channels, int rate, int frames) {
        writeToneWav(folder.file(name), channels, rate, frames);
        return folder.file(name);
    }

    // A FLAC file of 1000 frames whose header announces `announced`.
    std::string flacAnnouncing(const std::string& name, std::uint64_t announced) {
        const std::string path = folder.file(name);
        writeSoundFile(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 8000, tone(440, 0.5, 8000, 1000, 1));
        // The 36-bit total sample count ends the 8 bytes at offset 18.
        constexpr long FIELD_OFFSET = 18;
        constexpr std::uint64_t TOTAL_MASK = (std::uint64_t{1} << 36) - 1;
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        unsigned char bytes[8];
        std::fseek(file, FIELD_OFFSET, SEEK_SET);
        EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), sizeof bytes);
        std::uint64_t field = 0;
        for (unsigned char byte : bytes) field = field << 8 | byte;
        field = (field & ~TOTAL_MASK) | (announced & TOTAL_MASK);
        for (int i = 7; i >= 0; --i, field >>= 8) bytes[i] = static_cast<unsigned char>(field & 0xFF);
        std::fseek(file, FIELD_OFFSET, SEEK_SET);
        std::fwrite(bytes, 1, sizeof bytes, file);
        std::fclose(file);
        return path;
    }

    TempDirectory folder;
};

TEST_F(SoundFileLoading, MonoAndStereoFilesGiveSixteenBitBuffersAtTheFilesRate) {
    ALuint previous = 0;
    for (const auto& [channels, rate] : {std::pair{1, 22050}, std::pair{2, 48000}}) {
        SCOPED_TRACE(channels);
        std::string messages;
        const ALuint buffer = load(toneWav(std::to_string(channels) + ".wav", channels, rate, 1000), messages);
        ASSERT_NE(buffer, 0u);
        EXPECT_NE(buffer, previous);
        EXPECT_EQ(messages, "");
        EXPECT_EQ(bufferProperty(buffer, AL_SIZE), 2 * channels * 1000);
        EXPECT_EQ(bufferProperty(buffer, AL_CHANNELS), channels);
        EXPECT_EQ(bufferProperty(buffer, AL_BITS), 16);
        EXPECT_EQ(bufferProperty(buffer, AL_FREQUENCY), rate);
        previous = buffer;
    }
}

TEST_F(SoundFileLoading, FilesThatCannotBePlayedGiveBufferZeroWithTheirExactLine) {
    std::ofstream(folder.file("noise.wav")) << "not a sound file at all";
    writeSoundFile(folder.file("empty.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100, {});
    writeSoundFile(folder.file("emptyQuad.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4, 44100, {});
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {folder.file("missing.wav"), MESSAGE_CANNOT_OPEN},
        {folder.file("noise.wav"), MESSAGE_CANNOT_OPEN},
        {toneWav("quad.wav", 4, 44100, 500), MESSAGE_TOO_MANY_CHANNELS},
        // Announcing more samples than the file holds: a few more, a count
        // whose low 32 bits alone would look small, and one far beyond
        // anything OpenAL takes, refused before any memory is asked for.
        {flacAnnouncing("few.flac", 5000), MESSAGE_CANNOT_READ},
        {flacAnnouncing("wraps.flac", (std::uint64_t{1} << 32) + 100), MESSAGE_CANNOT_READ},
        {flacAnnouncing("huge.flac", (std::uint64_t{1} << 36) - 1), MESSAGE_CANNOT_READ},
        // No frames: silence, quietly.
        {folder.file("empty.wav"), ""},
        {folder.file("emptyQuad.wav"), MESSAGE_TOO_MANY_CHANNELS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string messages;
        EXPECT_EQ(load(c.file, messages), 0u);
        EXPECT_EQ(messages, c.message);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
    }
}

TEST_F(SoundFileLoading, TruncatedWavLoadsTheFramesItHolds) {
    const std::string path = toneWav("cut.wav", 1, 8000, 1000);
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 2 * 400);
    std::string messages;
    const ALuint buffer = load(path, messages);
    ASSERT_NE(buffer, 0u);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(bufferProperty(buffer, AL_SIZE), 2 * 600);
}

TEST_F(SoundFileLoading, ErrorLeftByAnEarlierCallDoesNotFailAGoodFile) {
    alSourcei(0xDEAD, AL_LOOPING, AL_TRUE);  // no such source: an error is left pending
    std::string messages;
    EXPECT_NE(load(toneWav("good.wav", 1, 44100, 100), messages), 0u);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

TEST(SoundFileWithoutDevice, NothingIsDecodedOrWrittenWhenNoContextIsCurrent) {
    TempDirectory folder;
    writeToneWav(folder.file("tone.wav"), 1, 44100, 100);
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadSoundFile(folder.file("tone.wav")), 0u);
    EXPECT_EQ(loadSoundFile(folder.file("missing.wav")), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
