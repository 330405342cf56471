#pragma once

#include "assets/DecodeAhead.h"
#include "audio/SoundFile.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/Sound.h"

// Every sound of the game, registered once under a short name; the first
// registration of a name decides its file, sources and looping.
class SoundManager {
public:
    static SoundManager& instance();
    ~SoundManager();

    // Volume levels run from 0, silent, to MAX_VOLUME, each sound as loud
    // as it was made.
    static constexpr int MAX_VOLUME = 10;

    Sound* loadSound(std::string name, std::string path, int sourceCount, bool looping,
                     SoundKind kind = SoundKind::Effect);
    void removeSound(std::string name);
    // Sets the volume of every sound of a kind, those loaded later too; a
    // level outside 0 to MAX_VOLUME counts as the nearest one.
    void setVolume(SoundKind kind, int level);
    // Starts decoding these files on a worker; any other file is decoded
    // when it is loaded.
    void decodeAhead(const std::vector<std::string>& paths);
    // Whether loading this file would not wait for its decoding.
    bool ready(const std::string& path) const { return decoder.ready(path); }

    std::map<std::string, std::unique_ptr<Sound>> sounds;

private:
    SoundManager() = default;

    DecodeAhead<SoundSamples> decoder;
    float musicVolume_ = 1.0f;
    float effectsVolume_ = 1.0f;
};

// Opens the first output device OpenAL lists and makes a context current.
bool openAudioDevice();
void closeAudioDevice();
