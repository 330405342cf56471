#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A whole sound file decoded to 16-bit mono or stereo samples at the file's
// own rate, or the one line to report when it cannot be played.
struct SoundSamples {
    std::unique_ptr<std::int16_t[]> samples;
    std::int64_t sampleCount = 0;  // frames times channels
    int channels = 0;
    int rate = 0;
    const char* failure = nullptr;
};

// Reads a sound file; needs no sound output, so it may run on any thread.
SoundSamples decodeSoundFile(const std::string& path);

// Puts decoded samples into one OpenAL buffer. Returns the buffer name, or
// 0 after writing the failure line on the standard error stream. Without a
// current OpenAL context there is nothing to fill: it returns 0 at once,
// silently. A file with no sample frames is silence: 0, no message.
std::uint32_t bufferSoundSamples(const SoundSamples& sound);

// Both of the above in one call.
std::uint32_t loadSoundFile(const std::string& path);
