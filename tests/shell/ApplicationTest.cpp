// The real game without a display: what it says and how it ends.
#include "support/Command.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(GameWithoutDisplay, AnswersItsCommandLineAtOnceAndOtherwiseSaysThereIsNoDisplayInOneLine) {
    const struct { const char* arguments; int status; const char* out; const char* err; } cases[] = {
        {"", 1, "", "no display"},
        {"--help", 0, "Usage: korvandeltix", ""},
        {"--version", 0, "korvandeltix " KORV_VERSION "\n", ""},
        {"--fullscreen", 2, "", "unknown option '--fullscreen'\nUsage: korvandeltix"},
        {"--help extra", 2, "", "unknown option 'extra'\nUsage: korvandeltix"},
        {"--host 0", 2, "", "--host takes no more than a port from 1 to 65535\nUsage"},
        {"--host 7788 7789", 2, "", "--host takes no more than a port"},
        {"--join", 2, "", "--join takes one ADDRESS[:PORT]\nUsage"},
        {"--join 127.0.0.1:70000", 2, "", "--join takes one ADDRESS[:PORT]: the port after the colon"},
        {"--join 'a b:1'", 2, "", "an address holds only letters, digits, dots and dashes"},
        {"--join 127.0.0.1:7788", 1, "", "no display"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        // Under the leak checker its table of suppressions used would follow the message.
        const CommandResult result = runCommand(
            std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ALSOFT_DRIVERS=null "
                        "LSAN_OPTIONS=\"$LSAN_OPTIONS:print_suppressions=0\" '") +
            KORV_GAME_EXE + "' " + c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(result.out.find(c.out) != std::string::npos && result.out.empty() == !*c.out) << result.out;
        EXPECT_TRUE(result.err.find(c.err) != std::string::npos && result.err.empty() == !*c.err) << result.err;
        if (c.status == 1) { EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err; }
    }
}

}  // namespace
