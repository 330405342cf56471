// The real game, started under its own X server as a player would start it.
#include "support/Command.h"
#include "support/PictureFiles.h"
#include "support/PlayerTest.h"
#include "support/TempDirectory.h"
#include "support/XServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

namespace {

constexpr int START_TIMEOUT_MS = 20000;
// The game ends well within a second of the close request (50 to 450 ms on
// two cores shared with a dozen compilers); the margin is for busier ones.
constexpr int CLOSE_TIMEOUT_MS = 3000;
constexpr std::uint32_t CLEAR_GREY = 0x505050;

struct GameUnderX : ::testing::Test {
    XServer x;
    TempDirectory runFolder;

    void SetUp() override { ASSERT_TRUE(x.running()); }

    // Waits until the window shows the clear grey all over; keeps the last
    // look at the screen under name.
    bool showsGrey(unsigned long window, const std::string& name) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::vector<std::uint32_t> pixels;
        Image shot;
        bool grey = false;
        while (!grey && std::chrono::steady_clock::now() < deadline) {
            pixels = x.screenshot(window, shot.width, shot.height);
            grey = !pixels.empty() && std::all_of(pixels.begin(), pixels.end(), [](auto p) { return p == CLEAR_GREY; });
            if (!grey) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        for (std::uint32_t p : pixels)
            shot.rgba.insert(shot.rgba.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                               static_cast<std::uint8_t>(p), 255});
        saveScreenshot(name, shot);
        return grey;
    }

    // Starts a copy of the game without its data (the settings then live in
    // the run folder's .config/), checks its grey window of the given client size at
    // (100, 100), then closes it as a window manager asks: status 0 in time.
    void openAndClose(int width, int height) {
        ChildProcess game(copyGameInto(runFolder.path()), runFolder.path().string(),
                          {"DISPLAY=" + x.display(), "ALSOFT_DRIVERS=null", "SDL_VIDEODRIVER",
                           "HOME=" + runFolder.path().string(), "XDG_CONFIG_HOME"});
        const unsigned long window = x.findWindow("Korvandeltix", START_TIMEOUT_MS);
        ASSERT_NE(window, 0u) << game.standardError();
        const XServer::Geometry g = x.geometry(window);
        EXPECT_EQ((std::array{g.x, g.y, g.width, g.height}), (std::array{100, 100, width, height}));
        EXPECT_TRUE(showsGrey(window, "window_" + std::to_string(width) + "x" + std::to_string(height)));

        x.sendDeleteWindow(window);
        const std::optional<int> status = game.wait(CLOSE_TIMEOUT_MS);
        ASSERT_TRUE(status.has_value()) << "still running after the close request";
        EXPECT_EQ(*status, 0) << game.standardError();
    }
};

// The size of 640 × 480 without a settings file is seen by the end-to-end run.
TEST_F(GameUnderX, TakesItsSizeFromTheSettingsFileAndClosesLikeAWindowManagerAsks) {
    writeTextFile(runFolder.file(".config/korvandeltix/config.ini"), "[Screen]\nwidth=800\nheight=600\n");
    openAndClose(800, 600);
}

TEST(GameWithoutDisplay, SaysSoInOneLineAndFails) {
    TempDirectory runFolder;
    ChildProcess game(KORV_GAME_EXE, runFolder.path().string(),
                      {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "ALSOFT_DRIVERS=null"});
    const std::optional<int> status = game.wait(10000);
    ASSERT_TRUE(status.has_value());
    EXPECT_GT(*status, 0);
    const std::string error = game.standardError();
    EXPECT_NE(error.find("no display"), std::string::npos) << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
}

TEST(GameWithoutDisplay, AnswersItsCommandLineAtOnce) {
    const struct {
        const char* arguments;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {"--help", 0, "Usage: korvandeltix", ""},
        {"--version", 0, "korvandeltix " KORV_VERSION "\n", ""},
        {"--fullscreen", 2, "", "unknown option '--fullscreen'\nUsage: korvandeltix"},
        {"--help extra", 2, "", "unknown option 'extra'\nUsage: korvandeltix"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CommandResult result =
            runCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY '") + KORV_GAME_EXE + "' " + c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
        EXPECT_EQ(result.out.empty(), *c.out == '\0') << result.out;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        EXPECT_EQ(result.err.empty(), *c.err == '\0') << result.err;
    }
}

}  // namespace
