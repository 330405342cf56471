#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

// A fresh working directory for one test process: the generated pictures,
// models, sounds and music of the run folder are linked in, and Data/ is
// empty, so the settings file is the test's own.
class GameDirectory {
public:
    GameDirectory() {
        namespace fs = std::filesystem;
        char pattern[] = "/tmp/korv-game-XXXXXX";
        path = mkdtemp(pattern);
        for (const char* folder : {"Images", "Meshes", "Sounds", "Musics"})
            if (fs::exists(fs::path(KORV_GAME_DIR) / folder))
                fs::create_directory_symlink(fs::path(KORV_GAME_DIR) / folder,
                                             fs::path(path) / folder);
        fs::create_directory(fs::path(path) / "Data");
        previous = fs::current_path();
        fs::current_path(path);
    }
    ~GameDirectory() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
    GameDirectory(const GameDirectory&) = delete;
    GameDirectory& operator=(const GameDirectory&) = delete;

    // The lines of the saved settings file, without empty ones.
    std::vector<std::string> settingsLines() const {
        std::ifstream saved(path + "/Data/config.ini");
        std::vector<std::string> lines;
        for (std::string line; std::getline(saved, line);)
            if (!line.empty()) lines.push_back(line);
        return lines;
    }

    std::string path;
    std::filesystem::path previous;
};
