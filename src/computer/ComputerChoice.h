#pragma once

#include <string>

// The last choice of a computer opponent on the characters page, kept in the
// settings file's [Computer] section: which side it played (0 for none), at
// which level and with which robot. Unknown or damaged values read as none.
struct ComputerChoice {
    int side = 0;
    int level = 1;
    int robot = 0;

    static ComputerChoice read(const std::string& settingsPath);
    // Changes only these entries; the rest of the file stays as it is.
    void write(const std::string& settingsPath) const;
};
