#pragma once

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string>

// Windows-1252 texts, as the game has always written them.
inline constexpr const char* MESSAGE_CANNOT_OPEN = "Impossible d'ouvrir le fichier audio";
inline constexpr const char* MESSAGE_CANNOT_READ =
    "Impossible de lire les \xE9"
    "chantillons stock\xE9"
    "s dans le fichier audio";
inline constexpr const char* MESSAGE_TOO_MANY_CHANNELS =
    "Format audio non support\xE9"
    " (plus de 2 canaux)";

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFileHandle = std::unique_ptr<SNDFILE, SoundFileCloser>;

// A whole sound file decoded to 16-bit mono or stereo samples at the file's
// own rate, or the one line to report when it cannot be played.
struct SoundSamples {
    std::unique_ptr<std::int16_t[]> samples;
    std::int64_t sampleCount = 0;  // frames times channels
    int channels = 0;
    int rate = 0;
    const char* failure = nullptr;
};

// Writes one failure line on the standard error stream.
void reportSoundFailure(const char* message);

// Reads up to count samples (frames times channels) as 16-bit samples, a
// floating-point file scaled full scale to full scale; how many it read.
std::int64_t readSoundSamples(SNDFILE* file, const SF_INFO& info, std::int16_t* samples, std::int64_t count);

// Reads a sound file; needs no sound output, so it may run on any thread.
SoundSamples decodeSoundFile(const std::string& path);

// Puts decoded samples into one OpenAL buffer. Returns the buffer name, or
// 0 after writing the failure line on the standard error stream. Without a
// current OpenAL context there is nothing to fill: it returns 0 at once,
// silently. A file with no sample frames is silence: 0, no message.
std::uint32_t bufferSoundSamples(const SoundSamples& sound);

// Both of the above in one call.
std::uint32_t loadSoundFile(const std::string& path);
