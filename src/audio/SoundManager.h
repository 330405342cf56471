#pragma once

#include "assets/DecodeAhead.h"
#include "audio/SoundFile.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class Sound;

// Every sound of the game, registered once under a short name; the first
// registration of a name decides its file, sources and looping.
class SoundManager {
public:
    static SoundManager& instance();
    ~SoundManager();

    Sound* loadSound(std::string name, std::string path, int sourceCount, bool looping);
    void removeSound(std::string name);
    // Starts decoding these files on a worker; any other file is decoded
    // when it is loaded.
    void decodeAhead(const std::vector<std::string>& paths);
    // Whether loading this file would not wait for its decoding.
    bool ready(const std::string& path) const { return decoder.ready(path); }

    std::map<std::string, std::unique_ptr<Sound>> sounds;

private:
    SoundManager() = default;

    DecodeAhead<SoundSamples> decoder;
};

// Opens the first output device OpenAL lists and makes a context current.
bool openAudioDevice();
void closeAudioDevice();
