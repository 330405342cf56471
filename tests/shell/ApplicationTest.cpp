// The real game, started under its own X server as a player would start it.
#include "support/PictureFiles.h"
#include "support/TempDirectory.h"
#include "support/XServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
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

    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        // The sanitized game starts too slowly for these real-time windows;
        // the release build runs them.
        GTEST_SKIP() << "the real executable is timed in the release build";
#endif
    }

    std::vector<std::string> environment() const {
        return {"DISPLAY=" + x.display(), "ALSOFT_DRIVERS=null", "SDL_VIDEODRIVER"};
    }

    // Waits until the window shows the clear grey all over; keeps the last
    // look at the screen under name.
    bool showsGrey(unsigned long window, const std::string& name) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::vector<std::uint32_t> pixels;
        int width = 0;
        int height = 0;
        bool grey = false;
        while (!grey && std::chrono::steady_clock::now() < deadline) {
            pixels = x.screenshot(window, width, height);
            grey = !pixels.empty();
            for (std::uint32_t p : pixels) grey = grey && p == CLEAR_GREY;
            if (!grey) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        Image shot;
        shot.width = width;
        shot.height = height;
        for (std::uint32_t p : pixels)
            shot.rgba.insert(shot.rgba.end(), {static_cast<std::uint8_t>(p >> 16),
                                               static_cast<std::uint8_t>(p >> 8),
                                               static_cast<std::uint8_t>(p), 255});
        saveScreenshot(name, shot);
        return grey;
    }
};

TEST_F(GameUnderX, OpensTheGreyWindowAndClosesLikeAWindowManagerAsks) {
    ASSERT_TRUE(x.running());
    ChildProcess game(KORV_GAME_EXE, runFolder.path().string(), environment());
    const unsigned long window = x.findWindow("Korvandeltix", START_TIMEOUT_MS);
    ASSERT_NE(window, 0u) << game.standardError();

    const XServer::Geometry g = x.geometry(window);
    EXPECT_EQ(g.width, 640);
    EXPECT_EQ(g.height, 480);
    EXPECT_EQ(g.x, 100);
    EXPECT_EQ(g.y, 100);
    EXPECT_TRUE(showsGrey(window, "window_640x480"));

    const auto asked = std::chrono::steady_clock::now();
    x.sendDeleteWindow(window);
    const std::optional<int> status = game.wait(CLOSE_TIMEOUT_MS);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - asked);
    ASSERT_TRUE(status.has_value()) << "still running after the close request";
    EXPECT_EQ(*status, 0) << game.standardError();
    RecordProperty("close_ms", static_cast<int>(took.count()));
    std::printf("closed %lld ms after the request\n", static_cast<long long>(took.count()));
}

TEST_F(GameUnderX, TakesItsSizeFromTheSettingsFile) {
    ASSERT_TRUE(x.running());
    writeTextFile(runFolder.file("Data/config.ini"), "[Screen]\nwidth=800\nheight=600\n");
    ChildProcess game(KORV_GAME_EXE, runFolder.path().string(), environment());
    const unsigned long window = x.findWindow("Korvandeltix", START_TIMEOUT_MS);
    ASSERT_NE(window, 0u) << game.standardError();
    const XServer::Geometry g = x.geometry(window);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 600);
    EXPECT_TRUE(showsGrey(window, "window_800x600"));
    x.sendDeleteWindow(window);
    EXPECT_EQ(game.wait(CLOSE_TIMEOUT_MS), std::optional<int>(0));
}

TEST(GameWithoutDisplay, SaysSoInOneLineAndFails) {
    TempDirectory runFolder;
    ChildProcess game(KORV_GAME_EXE, runFolder.path().string(),
                      {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "ALSOFT_DRIVERS=null"});
    const std::optional<int> status = game.wait(10000);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    EXPECT_GT(*status, 0) << "crashed instead of ending";
    const std::string error = game.standardError();
    EXPECT_NE(error.find("no display"), std::string::npos) << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
}

}  // namespace
