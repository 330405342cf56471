#pragma once

#include <string>

// The screen settings: the values in force for this run, and beside them the
// values last read from or written to the settings file, which the options
// page shows and changes. New settings take effect at the next start.
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

    int width = DEFAULT_WIDTH;
    int savedWidth = DEFAULT_WIDTH;
    int height = DEFAULT_HEIGHT;
    int savedHeight = DEFAULT_HEIGHT;
    int fullscreen = 0;
    int savedFullscreen = 0;
    int multisample = 0;
    int savedMultisample = 0;

private:
    Config();
};
