#pragma once

#include <map>
#include <memory>
#include <string>

class Sound;

// Every sound of the game, registered once under a short name; the first
// registration of a name decides its file, sources and looping.
class SoundManager {
public:
    static SoundManager& instance();
    ~SoundManager();

    Sound* loadSound(std::string name, std::string path, int sourceCount, bool looping);
    void removeSound(std::string name);

    std::map<std::string, std::unique_ptr<Sound>> sounds;

private:
    SoundManager() = default;
};

// Opens the first output device OpenAL lists and makes a context current.
bool openAudioDevice();
void closeAudioDevice();
