#pragma once

#include <string>
#include <vector>

// Where the game's files are, decided once at start. The data folder is the
// executable's own folder when it holds the game's data (the run folder of a
// build, or any copy of it), else the installed share folder found relative
// to the executable, so a moved or extracted prefix still works. A run folder
// keeps its settings and replays beside the executable; an installed game
// keeps its settings in the player's configuration folder and its replays in
// the player's data folder, and never writes into its prefix.
struct Paths {
    // Empty when neither place holds the data.
    std::string dataFolder;
    std::string settingsFile;
    std::string replaysFolder;
    // The folders looked at for the data, in order.
    std::vector<std::string> searched;

    // For the running executable and this process's environment.
    static Paths forThisProgram();
    // For an executable in executableFolder; home, configHome and dataHome
    // are what $HOME, $XDG_CONFIG_HOME and $XDG_DATA_HOME hold (empty when
    // unset).
    static Paths forExecutableIn(const std::string& executableFolder, const std::string& home,
                                 const std::string& configHome, const std::string& dataHome);

    // Makes the data folder the working directory; false when there is none
    // or it cannot be entered.
    bool enterDataFolder() const;
};
