#include "AudioTestSupport.h"

#include "audio/SoundFile.h"
#include "audio/SoundManager.h"

#include <cstdint>
#include <utility>

namespace {

const std::string MESSAGE_CANNOT_OPEN = "Impossible d'ouvrir le fichier audio\n";
const std::string MESSAGE_CANNOT_READ = "Impossible de lire les \351chantillons stock\351s dans le fichier audio\n";
const std::string MESSAGE_TOO_MANY_CHANNELS = "Format audio non support\351 (plus de 2 canaux)\n";

// Loads the file and returns the buffer, with what went to stderr.
std::pair<ALuint, std::string> load(const std::string& path) {
    testing::internal::CaptureStderr();
    const ALuint buffer = loadSoundFile(path);
    return {buffer, testing::internal::GetCapturedStderr()};
}

class SoundFileLoading : public testing::Test {
protected:
    void SetUp() override {
        useNullOutput();
        ASSERT_TRUE(openAudioDevice());
    }

    // A FLAC file of 1000 frames whose header announces `announced`: the
    // 36-bit total sample count is the low nibble of byte 21 and bytes 22 to 25.
    std::string flacAnnouncing(const std::string& name, std::uint64_t announced) {
        const std::string path = folder.file(name);
        writeSoundFile(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 8000, tone(440, 0.5, 8000, 1000, 1));
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekg(21);
        const int nibbles = file.get();
        file.seekp(21);
        file.put(static_cast<char>((nibbles & 0xF0) | ((announced >> 32) & 0x0F)));
        for (int shift = 24; shift >= 0; shift -= 8) file.put(static_cast<char>(announced >> shift));
        return path;
    }

    TempDirectory folder;
};

TEST_F(SoundFileLoading, GoodFilesGiveSixteenBitBuffersOfWhatTheyHoldDespiteAnEarlierError) {
    const std::string cut = writeToneWav(folder.file("cut.wav"), 1, 8000, 1000);
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) - 2 * 400);
    const struct {
        std::string file;
        int channels, rate, frames;
    } cases[] = {
        {writeToneWav(folder.file("mono.wav"), 1, 22050, 1000), 1, 22050, 1000},
        {writeToneWav(folder.file("stereo.wav"), 2, 48000, 1000), 2, 48000, 1000},
        // A truncated WAV loads the frames it really holds.
        {cut, 1, 8000, 600},
    };
    ALuint previous = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        alSourcei(0xDEAD, AL_LOOPING, AL_TRUE);  // no such source: an error is left pending
        const auto [buffer, messages] = load(c.file);
        ASSERT_NE(buffer, 0u);
        EXPECT_NE(buffer, previous);
        EXPECT_EQ(messages, "");
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
        EXPECT_EQ(bufferProperty(buffer, AL_SIZE), 2 * c.channels * c.frames);
        EXPECT_EQ(bufferProperty(buffer, AL_CHANNELS), c.channels);
        EXPECT_EQ(bufferProperty(buffer, AL_BITS), 16);
        EXPECT_EQ(bufferProperty(buffer, AL_FREQUENCY), c.rate);
        previous = buffer;
    }
}

TEST_F(SoundFileLoading, FilesThatCannotBePlayedGiveBufferZeroWithTheirExactLine) {
    std::ofstream(folder.file("noise.wav")) << "not a sound file at all";
    writeSoundFile(folder.file("empty.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100, {});
    writeSoundFile(folder.file("emptyQuad.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4, 44100, {});
    const std::pair<std::string, std::string> cases[] = {
        {folder.file("missing.wav"), MESSAGE_CANNOT_OPEN},
        {folder.file("noise.wav"), MESSAGE_CANNOT_OPEN},
        {writeToneWav(folder.file("quad.wav"), 4, 44100, 500), MESSAGE_TOO_MANY_CHANNELS},
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
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        const auto [buffer, messages] = load(file);
        EXPECT_EQ(buffer, 0u);
        EXPECT_EQ(messages, message);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
    }
}

}  // namespace
