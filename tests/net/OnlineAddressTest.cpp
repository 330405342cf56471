#include "net/OnlineAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(OnlineAddressTest, TakesAHostWithAnOptionalPortAndSaysWhyItRefusesTheRest) {
    constexpr std::uint16_t DEFAULT_PORT = 7788;
    const struct { const char* typed; const char* host; int port; const char* why; } cases[] = {
        {"127.0.0.1", "127.0.0.1", DEFAULT_PORT, ""},
        {"127.0.0.1:7790", "127.0.0.1", 7790, ""},
        {"game-box.local:1", "game-box.local", 1, ""},
        {"example.org:65535", "example.org", 65535, ""},
        {"", nullptr, 0, "type the other player's address first"},
        {":7788", nullptr, 0, "type the other player's address first"},
        {"127.0.0.1:", nullptr, 0, "the port after the colon"},
        {"127.0.0.1:0", nullptr, 0, "the port after the colon"},
        {"127.0.0.1:65536", nullptr, 0, "the port after the colon"},
        {"127.0.0.1:77a8", nullptr, 0, "the port after the colon"},
        {"127.0.0.1:+77", nullptr, 0, "the port after the colon"},
        {"127.0.0.1:7788:1", nullptr, 0, "the port after the colon"},
        {"a b", nullptr, 0, "only letters, digits, dots and dashes"},
        {"host/../x", nullptr, 0, "only letters, digits, dots and dashes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string error;
        const std::optional<OnlineAddress> address = OnlineAddress::parse(c.typed, DEFAULT_PORT, error);
        if (c.host == nullptr) {
            EXPECT_FALSE(address);
            EXPECT_NE(error.find(c.why), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(address) << error;
        EXPECT_EQ(address->host, c.host);
        EXPECT_EQ(address->port, c.port);
    }
    std::string error;
    EXPECT_FALSE(OnlineAddress::parse(std::string(300, 'a'), DEFAULT_PORT, error));
    EXPECT_EQ(error, "that address is too long");
}

}  // namespace
