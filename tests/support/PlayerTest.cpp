#include "support/PlayerTest.h"

#include "support/PictureFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr int START_TIMEOUT_MS = 60000, CLOSE_TIMEOUT_MS = 30000;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Red pixels of the highlight in item row i (from 0) of a 640 × 480 page
// whose rows are `pitch` apart.
int redInRow(const Screen& s, int i, int pitch) {
    const int top = 160 + pitch * i;
    return s.count(106, top, 533, top + 24, isRed);
}

}  // namespace

int Screen::count(int left, int top, int right, int bottom, const std::function<bool(int, int, int)>& test) const {
    int n = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
            n += test(int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF));
        }
    return n;
}

int Screen::changedFrom(const Screen& other, int left, int top, int right, int bottom) const {
    if (other.width != width || other.height != height) return 0;  // a screen not seen, or resized
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += pixels[std::size_t(y) * width + x] != other.pixels[std::size_t(y) * width + x];
    return n;
}

int Screen::distinctColours() const {
    std::vector<std::uint32_t> sorted = pixels;
    std::sort(sorted.begin(), sorted.end());
    return static_cast<int>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

Screen Screen::part(int left, int partWidth) const {
    // A screen too narrow for the part, or not seen at all, shows none of it.
    if (width < left + partWidth || height == 0) return {};
    Screen seen{{}, 640, 480};
    for (int y = 0; y < seen.height; ++y)
        for (int x = 0; x < seen.width; ++x)
            seen.pixels.push_back(pixels[std::size_t(y * height / seen.height) * width +
                                         std::size_t(left + x * partWidth / seen.width)]);
    return seen;
}

bool isRed(int r, int g, int b) { return r > 200 && g < 70 && b < 70; }
bool isWhite(int r, int g, int b) { return r > 225 && g > 225 && b > 225; }
bool isBlack(int r, int g, int b) { return r == 0 && g == 0 && b == 0; }

std::string copyGameInto(const std::filesystem::path& folder) {
    const std::filesystem::path copy = folder / "korvandeltix";
    std::filesystem::copy_file(KORV_GAME_EXE, copy);
    return copy.string();
}

std::unique_ptr<ChildProcess> PlayerTest::start(const std::string& program, const std::string& workingDirectory,
                                                const std::vector<std::string>& environment,
                                                const std::vector<std::string>& arguments) {
    auto game = std::make_unique<ChildProcess>(program, workingDirectory, environment, arguments);
    window = server.findWindow("Korvandeltix", START_TIMEOUT_MS);
    EXPECT_NE(window, 0u) << game->standardError();
    return game;
}

void PlayerTest::xdotool(const std::string& arguments) {
    ASSERT_EQ(std::system(("DISPLAY=" + server.display() + " xdotool " + arguments).c_str()), 0);
}

void PlayerTest::press(const std::string& key) {
    xdotool("keydown " + key);
    sleepMs(HOLD_MS);
    xdotool("keyup " + key);
    sleepMs(BETWEEN_KEYS_MS);
}

Screen PlayerTest::look() const {
    Screen screen;
    if (window != 0) screen.pixels = server.screenshot(window, screen.width, screen.height);
    return screen;
}

void PlayerTest::keepLook(const std::string& name) const {
    const Screen screen = look();
    Image shot{screen.width, screen.height, {}};
    for (std::uint32_t p : screen.pixels)
        shot.rgba.insert(shot.rgba.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), 255});
    saveScreenshot(name, shot);
}

bool PlayerTest::waitFor(const std::function<bool(const Screen&)>& shown, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (shown(look())) return true;
        sleepMs(50);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

bool PlayerTest::highlightOn(const Screen& s, int i, int rows, int pitch) {
    for (int r = 0; r < rows; ++r)
        if (r != i && redInRow(s, r, pitch) * 2 > redInRow(s, i, pitch)) return false;
    return redInRow(s, i, pitch) > 20;
}

bool PlayerTest::scoreShown(const Screen& s) {
    return s.count(30, 10, 330, 40, isWhite) > 50 && s.count(310, 10, 610, 40, isWhite) > 50;
}

std::function<bool(const Screen&)> PlayerTest::picturesAt(int width) {
    constexpr int PICTURE_COLOURS = 50;
    return [width](const Screen& s) { return s.width == width && s.distinctColours() > PICTURE_COLOURS; };
}

void PlayerTest::chooseTheNextResolution() {
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, MAIN_MENU_ITEMS); }));
    press("s");
    press("s");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, MAIN_MENU_OPTIONS, MAIN_MENU_ITEMS); }));
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return optionOn(s, 0); }));
    press("Return");
    press("w");
    ASSERT_TRUE(waitFor([](const Screen& s) { return optionOn(s, OPTIONS_ITEMS - 1); }));
    press("Return");
}

void PlayerTest::close(ChildProcess& game) {
    server.sendDeleteWindow(window);
    EXPECT_EQ(game.wait(CLOSE_TIMEOUT_MS), std::optional<int>(0)) << game.standardError();
}
