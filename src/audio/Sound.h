#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MusicStream;

// Music and effects each have a volume of their own.
enum class SoundKind { Effect, Music };

// One decoded sound file in one OpenAL buffer, with a fixed number of
// sources bound to it so that it can play several times at once; or a piece
// of music streamed from its file on one source.
class Sound {
public:
    Sound(std::uint32_t buffer, int sourceCount, bool looping, SoundKind kind = SoundKind::Effect);
    Sound(const std::string& musicPath, bool looping);
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    void play(double x, double y, double z);
    void playOnSource(int index, double x, double y, double z);
    void stopAll();
    // The sound's own gain, heard under the volume of its kind.
    void setGain(float gain);
    // The volume of its kind, from 0 (silent) to 1 (as the file is).
    void setVolume(float volume);

    std::uint32_t buffer = 0;
    std::vector<std::uint32_t> sources;
    int sourceCount = 0;
    SoundKind kind = SoundKind::Effect;

private:
    void applyGain();

    float gain_ = 1.0f;
    float volume_ = 1.0f;
    std::unique_ptr<MusicStream> stream_;
};
