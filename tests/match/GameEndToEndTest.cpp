#include "menus/GameDirectory.h"
#include "support/XServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Screen {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;

    // Pixels in the box that pass the test.
    int count(int left, int top, int right, int bottom,
              const std::function<bool(int, int, int)>& test) const {
        int n = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
            for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
                const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
                n += test(static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                          static_cast<int>(p & 0xFF));
            }
        return n;
    }
    // Pixels that differ from another screen in a box.
    int changedFrom(const Screen& other, int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += pixels[std::size_t(y) * width + x] != other.pixels[std::size_t(y) * width + x];
        return n;
    }
    int distinctColours() const {
        std::vector<std::uint32_t> sorted = pixels;
        std::sort(sorted.begin(), sorted.end());
        return static_cast<int>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
    }
};

bool isRed(int r, int g, int b) { return r > 200 && g < 70 && b < 70; }
bool isWhite(int r, int g, int b) { return r > 225 && g > 225 && b > 225; }

// The game in its own working directory on a private X server, driven by
// key presses sent to its window as a person types them.
class GameEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.running()); }

    void xdotool(const std::string& arguments) {
        ASSERT_EQ(std::system(("DISPLAY=" + server.display() + " xdotool " + arguments).c_str()), 0);
    }
    // Holds a key as long as a person does, then lets it go.
    void press(const std::string& key) {
        xdotool("keydown " + key);
        sleepMs(HOLD_MS);
        xdotool("keyup " + key);
        sleepMs(BETWEEN_KEYS_MS);
    }

    Screen look() const {
        Screen screen;
        screen.pixels = server.screenshot(window, screen.width, screen.height);
        return screen;
    }

    // Looks again and again until the screen shows what is awaited: the
    // game runs in real time on a busy machine.
    bool waitFor(const std::function<bool(const Screen&)>& shown, int timeoutMs = 20000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            if (shown(look())) return true;
            sleepMs(50);
        } while (std::chrono::steady_clock::now() < deadline);
        return false;
    }

    // Red pixels of the highlight in item row i (from 0) of a 640 × 480 page.
    static int redInRow(const Screen& s, int i) {
        const int top = 160 + 36 * i;
        return s.count(106, top, 533, top + 24, isRed);
    }
    static bool highlightOn(const Screen& s, int i, int rows) {
        for (int r = 0; r < rows; ++r)
            if (r != i && redInRow(s, r) * 2 > redInRow(s, i)) return false;
        return redInRow(s, i) > 20;
    }
    static bool scoreShown(const Screen& s) {
        return s.count(30, 10, 330, 40, isWhite) > 50 && s.count(310, 10, 610, 40, isWhite) > 50;
    }

    static constexpr int HOLD_MS = 90;
    static constexpr int BETWEEN_KEYS_MS = 200;

    XServer server;
    GameDirectory directory;
    unsigned long window = 0;
};

TEST_F(GameEndToEndTest, APersonPlaysThroughTheWholeGame) {
    ChildProcess game(KORV_GAME_EXE, directory.path,
                      {"DISPLAY=" + server.display(), "ALSOFT_DRIVERS=null"});
    window = server.findWindow("Korvandeltix", 60000);
    ASSERT_NE(window, 0u) << game.standardError();

    // The intro: pictures, neither the clear grey nor a menu.
    ASSERT_TRUE(waitFor([](const Screen& s) { return s.width == 640 && s.distinctColours() > 50; }));
    press("Return");

    // The main menu, "Play" in red; the highlight follows S.
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 4); }));
    press("s");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 1, 4); }));

    // Options: one resolution forward, then "Return to main menu" saves.
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 4); }));
    press("Return");
    for (int i = 0; i < 3; ++i) press("s");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 3, 4); }));
    press("Return");
    const fs::path settings = fs::path(directory.path) / "Data" / "config.ini";
    ASSERT_TRUE(waitFor([&](const Screen&) { return fs::exists(settings); }));
    sleepMs(200);
    EXPECT_EQ(directory.settingsLines(), (std::vector<std::string>{"[Screen]", "width=800", "height=600",
                                               "multisample=0", "fullscreen=0"}));

    // Back on the main menu with "Play" highlighted: the characters page,
    // one choice by each player, and the match.
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 4); }));
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return !highlightOn(s, 0, 4); }));
    press("g");
    press("87");  // numeric pad 1, by its keycode so that Num Lock stays as it is
    ASSERT_TRUE(waitFor(scoreShown)) << "the score lines of the match view";
    const Screen before = look();
    // Player 1 (on the left of the screen) runs up, player 2 down: both
    // robots are drawn where they stand. Held until both have moved away,
    // however slowly the loaded machine runs the game.
    xdotool("keydown w keydown Down");
    const bool bothMoved = waitFor([&](const Screen& s) {
        return s.changedFrom(before, 20, 140, 110, 340) > 200 &&
               s.changedFrom(before, 530, 140, 620, 340) > 200;
    });
    xdotool("keyup w keyup Down");
    EXPECT_TRUE(bothMoved) << "the robots at (6, 0) and (-6, 0)";
    EXPECT_GT(before.distinctColours(), 200) << "the arena";

    // Escape pauses: the page hides the match; Return resumes.
    press("Escape");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 2) && !scoreShown(s); }));
    press("Return");
    ASSERT_TRUE(waitFor(scoreShown));

    // Pause again and leave for the main menu, then "Exit" ends the game.
    press("Escape");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 2); }));
    press("s");
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 4); }));
    press("w");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 3, 4); }));
    press("Return");
    EXPECT_EQ(game.wait(30000), std::optional<int>(0)) << game.standardError();
}

}  // namespace
