#include "audio/SoundManager.h"

#include "audio/Sound.h"
#include "audio/SoundFile.h"

#include <al.h>
#include <alc.h>

#include <algorithm>

SoundManager& SoundManager::instance() {
    static SoundManager soundManager;
    return soundManager;
}

SoundManager::~SoundManager() {
    for (auto& entry : sounds) {
        entry.second.reset();
    }
    closeAudioDevice();
}

Sound* SoundManager::loadSound(std::string name, std::string path, int sourceCount, bool looping,
                               SoundKind kind) {
    auto found = sounds.find(name);
    if (found != sounds.end()) {
        return found->second.get();
    }
    std::unique_ptr<Sound> sound;
    // Music plays from its file, never whole in memory; without a sound
    // output there is nothing to stream to.
    if (kind == SoundKind::Music && alcGetCurrentContext() != nullptr) {
        sound = std::make_unique<Sound>(path, looping);
    } else {
        SoundSamples decoded;
        const std::uint32_t buffer =
            decoder.take(path, decoded) ? bufferSoundSamples(decoded) : loadSoundFile(path);
        sound = std::make_unique<Sound>(buffer, sourceCount, looping, kind);
    }
    sound->setVolume(kind == SoundKind::Music ? musicVolume_ : effectsVolume_);
    Sound* record = sound.get();
    sounds.emplace(std::move(name), std::move(sound));
    return record;
}

void SoundManager::removeSound(std::string name) { sounds.erase(name); }

void SoundManager::setVolume(SoundKind kind, int level) {
    // Loudness is heard by ratios: with the square of the level the middle
    // of the scale sounds like its middle (5 is 12 dB down, about half as
    // loud), where a straight line would leave 5 only 6 dB down.
    const float fraction = static_cast<float>(std::clamp(level, 0, MAX_VOLUME)) / MAX_VOLUME;
    const float volume = fraction * fraction;
    (kind == SoundKind::Music ? musicVolume_ : effectsVolume_) = volume;
    for (auto& entry : sounds)
        if (entry.second->kind == kind) entry.second->setVolume(volume);
}

void SoundManager::decodeAhead(const std::vector<std::string>& paths) {
    decoder.start(paths, decodeSoundFile);
}

bool openAudioDevice() {
    // The registry closes the device at exit, so it must outlive it.
    SoundManager::instance();

    // A list of names, each ended by a null byte; the first is taken.
    const ALCchar* names = alcGetString(nullptr, ALC_DEVICE_SPECIFIER);
    if (names == nullptr || names[0] == '\0') {
        return false;
    }
    ALCdevice* device = alcOpenDevice(names);
    if (device == nullptr) {
        return false;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (context == nullptr) {
        alcCloseDevice(device);
        return false;
    }
    if (alcMakeContextCurrent(context) != ALC_TRUE) {
        alcDestroyContext(context);
        alcCloseDevice(device);
        return false;
    }
    return true;
}

void closeAudioDevice() {
    ALCcontext* context = alcGetCurrentContext();
    if (context == nullptr) {
        return;
    }
    ALCdevice* device = alcGetContextsDevice(context);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
}
