#pragma once

#include "audio/SoundManager.h"

#include <string>

// The screen settings: the values in force for this run, and beside them the
// values last read from or written to the settings file, which the options
// page shows and changes. New screen settings take effect at the next start.
// The volumes of music and effects take effect at once, so each has one
// value.
class Config {
public:
    // The settings file; start-up points it where this game keeps its settings.
    static inline std::string filePath = "./Data/config.ini";
    static constexpr int DEFAULT_WIDTH = 640;
    static constexpr int DEFAULT_HEIGHT = 480;

    // Built with the defaults, then reads the file once.
    static Config& instance();

    void readConfig();
    void saveConfig(int newWidth, int newHeight, bool newFullscreen, int newMultisample);
    // Writes a volume that differs from the one in force, and only that.
    void saveVolumes(int newMusicVolume, int newEffectsVolume);

    int width = DEFAULT_WIDTH;
    int savedWidth = DEFAULT_WIDTH;
    int height = DEFAULT_HEIGHT;
    int savedHeight = DEFAULT_HEIGHT;
    int fullscreen = 0;
    int savedFullscreen = 0;
    int multisample = 0;
    int savedMultisample = 0;
    // 0 (silent) to SoundManager::MAX_VOLUME.
    int musicVolume = SoundManager::MAX_VOLUME;
    int effectsVolume = SoundManager::MAX_VOLUME;

private:
    Config();
};
