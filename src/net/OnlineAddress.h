#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Where to find the other side, as a player types it: a host name or an
// IPv4 address, then optionally a colon and a port.
struct OnlineAddress {
    std::string host;
    std::uint16_t port = 0;

    // Nothing for text that is no such address; error then says why in one line.
    static std::optional<OnlineAddress> parse(const std::string& text, std::uint16_t defaultPort,
                                              std::string& error);
    // A port from 1 to 65535 in decimal; nothing for anything else.
    static std::optional<std::uint16_t> parsePort(const std::string& text);
};
