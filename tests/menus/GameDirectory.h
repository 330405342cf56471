#pragma once

#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// A fresh working directory for one test process: the generated pictures,
// models, sounds and music of the run folder are linked in, and there is no
// Data/ folder until the game saves its settings there.
class GameDirectory {
public:
    GameDirectory() : here(linkAssets(temp.path())) {}

    // The lines of the saved settings file, without empty ones.
    std::vector<std::string> settingsLines() const {
        std::istringstream saved(readTextFile(temp.file("Data/config.ini")));
        std::vector<std::string> lines;
        for (std::string line; std::getline(saved, line);)
            if (!line.empty()) lines.push_back(line);
        return lines;
    }

    // The replays the game kept beside itself.
    std::vector<std::filesystem::path> replays() const {
        std::vector<std::filesystem::path> kept;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path() / "Data" / "replays"))
            kept.push_back(entry.path());
        return kept;
    }

    TempDirectory temp;
    WorkingDirectory here;
    const std::string path = temp.path().string();

private:
    static const std::filesystem::path& linkAssets(const std::filesystem::path& path) {
        namespace fs = std::filesystem;
        for (const char* folder : {"Images", "Meshes", "Sounds", "Musics"})
            if (fs::exists(fs::path(KORV_GAME_DIR) / folder))
                fs::create_directory_symlink(fs::path(KORV_GAME_DIR) / folder, path / folder);
        return path;
    }
};
