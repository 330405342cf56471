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

}  // namespace

Paths Paths::forExecutableIn(const std::string& executableFolder, const std::string& home,
                             const std::string& configHome) {
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
        return paths;
    }
    // Only an absolute $XDG_CONFIG_HOME counts; a relative one is ignored, as
    // the XDG base directory rules ask.
    const fs::path configFolder = fs::path(configHome).is_absolute()
                                      ? fs::path(configHome)
                                      : fs::path(home) / DEFAULT_CONFIG_HOME;
    paths.settingsFile = (configFolder / SETTINGS_IN_CONFIG_HOME).string();
    return paths;
}

Paths Paths::forThisProgram() {
    std::string executableFolder;
    if (char* base = SDL_GetBasePath(); base != nullptr) {
        executableFolder = base;
        SDL_free(base);
    }
    return forExecutableIn(executableFolder, homeFolder(), environment("XDG_CONFIG_HOME"));
}

bool Paths::enterDataFolder() const {
    if (dataFolder.empty()) return false;
    std::error_code error;
    fs::current_path(dataFolder, error);
    return !error;
}
