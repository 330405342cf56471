#pragma once

#include "support/XServer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the game's window shows, 0xRRGGBB per pixel.
struct Screen {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;

    // Pixels in the box that pass the test.
    int count(int left, int top, int right, int bottom, const std::function<bool(int, int, int)>& test) const;
    // Pixels that differ from another screen in a box.
    int changedFrom(const Screen& other, int left, int top, int right, int bottom) const;
    int distinctColours() const;
    // The columns from left, partWidth wide, seen at 640 × 480.
    Screen part(int left, int partWidth) const;
};

bool isRed(int r, int g, int b);
bool isWhite(int r, int g, int b);
bool isBlack(int r, int g, int b);

// Copies the game's executable into a folder and returns its path there: the
// game takes the folder it runs from as its run folder.
std::string copyGameInto(const std::filesystem::path& folder);

// The real game on a private X server, looked at and typed at as a person
// does, with key presses sent to its window.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.running()); }

    // Starts the program from the working directory and waits for its window.
    std::unique_ptr<ChildProcess> start(const std::string& program, const std::string& workingDirectory,
                                        const std::vector<std::string>& environment,
                                        const std::vector<std::string>& arguments = {});
    void xdotool(const std::string& arguments);
    // Holds a key as long as a person does, then lets it go.
    void press(const std::string& key);
    Screen look() const;
    // Keeps the screen as NAME.png when KORV_SCREENSHOT_DIR names a folder.
    void keepLook(const std::string& name) const;
    // Looks again and again until the screen shows what is awaited: the
    // game runs in real time on a busy machine.
    bool waitFor(const std::function<bool(const Screen&)>& shown, int timeoutMs = 20000);

    // Whether item row i (from 0) of a 640 × 480 page has the red highlight;
    // the options page's rows are closer.
    static bool highlightOn(const Screen& s, int i, int rows, int pitch = MENU_PITCH);
    static bool optionOn(const Screen& s, int i) { return highlightOn(s, i, OPTIONS_ITEMS, OPTIONS_PITCH); }
    static bool scoreShown(const Screen& s);
    // The game's own pictures in a window of this width, not the clear grey.
    static std::function<bool(const Screen&)> picturesAt(int width);

    // From the intro to the options page, one resolution forward (640 × 480
    // becomes 800 × 600), and "Return to main menu", which saves it.
    void chooseTheNextResolution();
    // Closes the window as a window manager asks; the game ends with 0.
    void close(ChildProcess& game);

    // The first pictures wait for every asset to load, slow under the sanitizers on a busy machine.
    static constexpr int LOADING_TIMEOUT_MS = 60000;
    static constexpr int HOLD_MS = 150;
    static constexpr int MENU_PITCH = 36, OPTIONS_PITCH = 30, OPTIONS_ITEMS = 7;
    // The main menu's rows, and the row of "Options" among them, from 0.
    static constexpr int MAIN_MENU_ITEMS = 6, MAIN_MENU_OPTIONS = 2;
    static constexpr int BETWEEN_KEYS_MS = 200;

    // A desktop of a common size, with room beside a full-screen picture.
    static constexpr int SCREEN_WIDTH = 1920;
    static constexpr int SCREEN_HEIGHT = 1200;

    XServer server{SCREEN_WIDTH, SCREEN_HEIGHT};
    unsigned long window = 0;
};
