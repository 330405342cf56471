#pragma once

#include <cstdint>
#include <vector>

// One decoded sound file in one OpenAL buffer, with a fixed number of
// sources bound to it so that it can play several times at once.
class Sound {
public:
    Sound(std::uint32_t buffer, int sourceCount, bool looping);
    ~Sound();

    void play(double x, double y, double z);
    void playOnSource(int index, double x, double y, double z);
    void stopAll();
    void setGain(float gain);

    std::uint32_t buffer = 0;
    std::vector<std::uint32_t> sources;
    int sourceCount = 0;
};
