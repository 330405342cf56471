#include "audio/SoundFile.h"

#include <al.h>
#include <alc.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>

namespace {

constexpr const char* MESSAGE_CANNOT_FILL =
    "Impossible de remplir le tampon OpenAL avec les \xE9"
    "chantillons du fichier audio";

constexpr std::int64_t BYTES_PER_SAMPLE = sizeof(std::int16_t);
// OpenAL takes the buffer size in bytes as a signed 32-bit count.
constexpr std::int64_t MAX_SAMPLES = std::numeric_limits<ALsizei>::max() / BYTES_PER_SAMPLE;
constexpr std::int64_t FLOAT_CHUNK_SAMPLES = 4096;
constexpr float SHORT_FULL_SCALE = 32767.0f;

bool isFloatingPoint(const SF_INFO& info) {
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
}

// Floating-point data read as shorts is either not scaled at all (near
// silence) or scaled to the file's own peak; read it as floats instead and
// scale full scale to full scale, so the file plays at its own loudness.
std::int64_t readFloatAsShort(SNDFILE* file, std::int16_t* samples, std::int64_t count) {
    float chunk[FLOAT_CHUNK_SAMPLES];
    std::int64_t total = 0;
    while (total < count) {
        const sf_count_t wanted = std::min(FLOAT_CHUNK_SAMPLES, count - total);
        const sf_count_t got = sf_read_float(file, chunk, wanted);
        for (sf_count_t i = 0; i < got; ++i) {
            const float clamped = std::clamp(chunk[i], -1.0f, 1.0f);
            samples[total + i] = static_cast<std::int16_t>(std::lrint(clamped * SHORT_FULL_SCALE));
        }
        total += got;
        if (got < wanted) {
            break;
        }
    }
    return total;
}

}  // namespace

void reportSoundFailure(const char* message) {
    std::fputs(message, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

std::int64_t readSoundSamples(SNDFILE* file, const SF_INFO& info, std::int16_t* samples, std::int64_t count) {
    return isFloatingPoint(info) ? readFloatAsShort(file, samples, count) : sf_read_short(file, samples, count);
}

SoundSamples decodeSoundFile(const std::string& path) {
    SoundSamples sound;
    SF_INFO info{};
    SoundFileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        sound.failure = MESSAGE_CANNOT_OPEN;
        return sound;
    }

    // Formed in 64 bits: a count that OpenAL cannot take is refused before
    // anything is allocated.
    const std::int64_t frames = info.frames;
    const std::int64_t channels = info.channels;
    if (frames < 0 || channels <= 0 || (frames > 0 && channels > MAX_SAMPLES / frames)) {
        sound.failure = MESSAGE_CANNOT_READ;
        return sound;
    }
    const std::int64_t sampleCount = frames * channels;

    if (sampleCount > 0) {
        sound.samples.reset(new (std::nothrow) std::int16_t[sampleCount]);
        if (!sound.samples) {
            sound.failure = MESSAGE_CANNOT_READ;
            return sound;
        }
        const std::int64_t read = readSoundSamples(file.get(), info, sound.samples.get(), sampleCount);
        if (read < sampleCount) {
            sound.samples.reset();
            sound.failure = MESSAGE_CANNOT_READ;
            return sound;
        }
    }
    if (channels > 2) {
        sound.samples.reset();
        sound.failure = MESSAGE_TOO_MANY_CHANNELS;
        return sound;
    }
    sound.sampleCount = sampleCount;
    sound.channels = static_cast<int>(channels);
    sound.rate = info.samplerate;
    return sound;
}

std::uint32_t bufferSoundSamples(const SoundSamples& sound) {
    if (alcGetCurrentContext() == nullptr) {
        return 0;
    }
    if (sound.failure) {
        reportSoundFailure(sound.failure);
        return 0;
    }
    if (sound.sampleCount == 0) {
        return 0;
    }

    // An error left by an unrelated earlier call must not fail this file.
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, sound.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                 sound.samples.get(), static_cast<ALsizei>(sound.sampleCount * BYTES_PER_SAMPLE),
                 sound.rate);
    if (alGetError() != AL_NO_ERROR) {
        reportSoundFailure(MESSAGE_CANNOT_FILL);
        if (buffer != 0) {
            alDeleteBuffers(1, &buffer);
        }
        return 0;
    }
    return buffer;
}

std::uint32_t loadSoundFile(const std::string& path) {
    // Without a sound output nothing is read.
    if (alcGetCurrentContext() == nullptr) {
        return 0;
    }
    return bufferSoundSamples(decodeSoundFile(path));
}
