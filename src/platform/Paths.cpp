#include "platform/Paths.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The folders that make a folder the game's data folder.
constexpr const char* DATA_FOLDERS[] = {"Images", "Meshes", "Sounds", "Musics"};
constexpr const char* RUN_FOLDER_SETTINGS = "Data/config.ini";
constexpr const char* SETTINGS_IN_CONFIG_HOME = "korvandeltix/config.ini";
constexpr const char* DEFAULT_CONFIG_HOME = ".config";
constexpr const char* RUN_FOLDER_REPLAYS = "Data/replays";
constexpr const char* REPLAYS_IN_DATA_HOME = "korvandeltix/replays";
constexpr const char* DEFAULT_DATA_HOME = ".local/share";

bool holdsData(const fs::path& folder) {
    std::error_code error;
    for (const char* name : DATA_FOLDERS)
        if (!fs::is_directory(folder / name, error)) return false;
    return true;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// $HOME, or the account's home folder when it is unset.
std::string homeFolder() {
    std::string home = environment("HOME");
    if (home.empty())
        if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_dir != nullptr)
            home = account->pw_dir;
    return home;
}

// Only an absolute $XDG_CONFIG_HOME or $XDG_DATA_HOME counts; a relative one
// is ignored, as the XDG base directory rules ask.
fs::path baseFolder(const std::string& set, const std::string& home, const char* fallback) {
    return fs::path(set).is_absolute() ? fs::path(set) : fs::path(home) / fallback;
}

}  // namespace

Paths Paths::forExecutableIn(const std::string& executableFolder, const std::string& home,
                             const std::string& configHome, const std::string& dataHome) {
    Paths paths;
    fs::path runFolder = fs::path(executableFolder).lexically_normal();
    if (!runFolder.has_filename()) runFolder = runFolder.parent_path();
    const fs::path installed = (runFolder / KORV_DATA_FROM_EXECUTABLE).lexically_normal();
    for (const fs::path& folder : {runFolder, installed}) {
        paths.searched.push_back(folder.string());
        if (holdsData(folder)) {
            paths.dataFolder = folder.string();
            break;
        }
    }
    if (paths.dataFolder == runFolder.string()) {
        paths.settingsFile = (runFolder / RUN_FOLDER_SETTINGS).string();
        paths.replaysFolder = (runFolder / RUN_FOLDER_REPLAYS).string();
        return paths;
    }
    paths.settingsFile = (baseFolder(configHome, home, DEFAULT_CONFIG_HOME) / SETTINGS_IN_CONFIG_HOME).string();
    paths.replaysFolder = (baseFolder(dataHome, home, DEFAULT_DATA_HOME) / REPLAYS_IN_DATA_HOME).string();
    return paths;
}

Paths Paths::forThisProgram() {
    std::string executableFolder;
    if (char* base = SDL_GetBasePath(); base != nullptr) {
        executableFolder = base;
        SDL_free(base);
    }
    return forExecutableIn(executableFolder, homeFolder(), environment("XDG_CONFIG_HOME"),
                           environment("XDG_DATA_HOME"));
}

bool Paths::enterDataFolder() const {
    if (dataFolder.empty()) return false;
    std::error_code error;
    fs::current_path(dataFolder, error);
    return !error;
}
