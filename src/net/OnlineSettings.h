#pragma once

#include <cstdint>
#include <string>

// The online choices kept in the settings file's [Online] section: the
// address last joined, as typed, the port to host on, and how many steps
// late this side's own controls take effect. Unknown or damaged values read
// as the defaults.
struct OnlineSettings {
    std::string joinAddress;
    std::uint16_t hostPort = 0;  // set from the session's default when read
    int inputDelay = 0;

    static OnlineSettings read(const std::string& settingsPath);
    // Keeps the address; the rest of the file stays as it is.
    static void writeJoinAddress(const std::string& address, const std::string& settingsPath);
};
