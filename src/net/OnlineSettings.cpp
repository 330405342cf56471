#include "net/OnlineSettings.h"

#include "net/OnlineAddress.h"
#include "net/OnlineSession.h"
#include "platform/Profile.h"

#include <cstdio>

namespace {
constexpr const char* SECTION = "Online";
constexpr std::size_t VALUE_SIZE = 300;
}  // namespace

OnlineSettings OnlineSettings::read(const std::string& settingsPath) {
    OnlineSettings settings;
    settings.joinAddress = getProfileString(SECTION, "address", "", VALUE_SIZE, settingsPath);
    settings.hostPort = OnlineAddress::parsePort(getProfileString(SECTION, "port", "", VALUE_SIZE, settingsPath))
                            .value_or(OnlineSession::DEFAULT_PORT);
    const std::string delay = getProfileString(SECTION, "inputDelay", "", VALUE_SIZE, settingsPath);
    settings.inputDelay = OnlineSession::DEFAULT_INPUT_DELAY;
    if (delay.size() == 1 && delay[0] >= '0' && delay[0] - '0' <= OnlineSession::MAX_INPUT_DELAY)
        settings.inputDelay = delay[0] - '0';
    return settings;
}

void OnlineSettings::writeJoinAddress(const std::string& address, const std::string& settingsPath) {
    std::string failure;
    if (!writeProfileString(SECTION, "address", address, settingsPath, &failure))
        std::fprintf(stderr, "korvandeltix: the address was not saved: %s\n", failure.c_str());
}
