#pragma once

#include <cstdint>
#include <string>

// An online game asked for on the command line: host on a port, or join an
// address as the player typed it.
struct OnlineRequest {
    bool host = true;
    std::uint16_t port = 0;  // hosting; 0 for the one in the settings
    std::string address;     // joining: "host" or "host:port"
};
