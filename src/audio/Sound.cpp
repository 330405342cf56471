#include "audio/Sound.h"

#include "audio/MusicStream.h"

#include <al.h>

#include <algorithm>

Sound::Sound(std::uint32_t buffer, int sourceCount, bool looping, SoundKind kind)
    : buffer(buffer), sources(static_cast<std::size_t>(std::max(sourceCount, 0)), 0),
      sourceCount(static_cast<int>(sources.size())), kind(kind) {
    for (std::uint32_t& source : sources) {
        alGenSources(1, &source);
        if (looping) {
            alSourcei(source, AL_LOOPING, AL_TRUE);
        }
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    }
}

Sound::Sound(const std::string& musicPath, bool looping) : Sound(0, 1, false, SoundKind::Music) {
    stream_ = std::make_unique<MusicStream>(sources[0], musicPath, looping);
}

Sound::~Sound() {
    // The stream empties its source before the source goes.
    stream_.reset();
    // Sources first: a buffer still attached to a source cannot be deleted.
    alDeleteSources(sourceCount, sources.data());
    if (buffer != 0) {
        alDeleteBuffers(1, &buffer);
    }
}

void Sound::play(double x, double y, double z) {
    if (stream_) {
        stream_->play();
        return;
    }
    for (std::uint32_t source : sources) {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) {
            alSource3f(source, AL_POSITION, static_cast<float>(x), static_cast<float>(y),
                       static_cast<float>(z));
            alSourcePlay(source);
            return;
        }
    }
    // Every source busy: the first one starts over where it is.
    if (!sources.empty()) {
        alSourcePlay(sources[0]);
    }
}

void Sound::playOnSource(int index, double x, double y, double z) {
    if (index < 0 || index >= sourceCount) {
        return;
    }
    if (stream_) {
        stream_->play();
        return;
    }
    alSource3f(sources[index], AL_POSITION, static_cast<float>(x), static_cast<float>(y),
               static_cast<float>(z));
    alSourcePlay(sources[index]);
}

void Sound::stopAll() {
    // The stream's worker would start a source stopped behind its back.
    if (stream_) {
        stream_->stop();
        return;
    }
    for (std::uint32_t source : sources) {
        alSourceStop(source);
    }
}

void Sound::setGain(float gain) {
    gain_ = gain;
    applyGain();
}

void Sound::setVolume(float volume) {
    volume_ = volume;
    applyGain();
}

void Sound::applyGain() {
    for (std::uint32_t source : sources) {
        alSourcef(source, AL_GAIN, gain_ * volume_);
    }
}
