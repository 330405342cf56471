#include "net/OnlineAddress.h"

#include <cctype>

namespace {
constexpr std::size_t MAX_HOST_LENGTH = 253;
constexpr unsigned long MAX_PORT = 65535;

bool hostCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-'; }
}  // namespace

std::optional<std::uint16_t> OnlineAddress::parsePort(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned long port = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        port = port * 10 + static_cast<unsigned long>(c - '0');
    }
    if (port == 0 || port > MAX_PORT) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

std::optional<OnlineAddress> OnlineAddress::parse(const std::string& text, std::uint16_t defaultPort,
                                                  std::string& error) {
    OnlineAddress address;
    address.port = defaultPort;
    const std::size_t colon = text.find(':');
    address.host = text.substr(0, colon);
    if (colon != std::string::npos) {
        const std::optional<std::uint16_t> port = parsePort(text.substr(colon + 1));
        if (!port) {
            error = "the port after the colon must be a number from 1 to 65535";
            return std::nullopt;
        }
        address.port = *port;
    }
    if (address.host.empty()) {
        error = "type the other player's address first";
        return std::nullopt;
    }
    if (address.host.size() > MAX_HOST_LENGTH) {
        error = "that address is too long";
        return std::nullopt;
    }
    for (char c : address.host) {
        if (!hostCharacter(c)) {
            error = "an address holds only letters, digits, dots and dashes";
            return std::nullopt;
        }
    }
    return address;
}
