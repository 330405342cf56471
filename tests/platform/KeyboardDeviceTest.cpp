#include "platform/KeyboardDevice.h"
#include "platform/Window.h"
#include "support/XServer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr Uint32 FOCUS_TIMEOUT_MS = 5000;

// The game's window on a private X server, holding the keyboard focus, and
// the keyboard opened after it as the game does.
class KeyboardOnX : public testing::Test {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        // SDL's X11 driver opens a D-Bus connection that libdbus never frees,
        // which the leak checker reports at exit; the release build runs these.
        GTEST_SKIP() << "SDL's X11 driver leaks in libdbus";
#endif
        ASSERT_TRUE(server.running()) << "Xvfb did not start";
        setenv("DISPLAY", server.display().c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
        std::string error;
        window = Window::open("keyboard", 160, 120, false, error);
        ASSERT_TRUE(window) << error;
        const Uint32 start = SDL_GetTicks();
        while (SDL_GetKeyboardFocus() != window->handle() && SDL_GetTicks() - start < FOCUS_TIMEOUT_MS) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
        ASSERT_EQ(SDL_GetKeyboardFocus(), window->handle());
        keyboard = openKeyboard();
    }
    void TearDown() override {
        keyboard.reset();
        window.reset();
    }

    KeyBuffer readKeys() {
        KeyBuffer keys{};
        EXPECT_TRUE(keyboard->read(keys));
        return keys;
    }

    // Runs xdotool on the private server and lets the events arrive.
    void xdotool(const std::string& arguments) {
        std::string command = "DISPLAY=";
        command.append(server.display()).append(" xdotool ").append(arguments);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        SDL_Delay(50);
    }

    static bool down(const KeyBuffer& keys, std::uint8_t code) { return (keys[code] & KEY_DOWN_BIT) != 0; }

    XServer server{320, 240};
    std::unique_ptr<Window> window;
    std::unique_ptr<KeyboardDevice> keyboard;
};

bool haveXdotool() { return std::system("command -v xdotool >/dev/null 2>&1") == 0; }

TEST_F(KeyboardOnX, KeyDownSeenBetweenReadsCountsOnceAndKeyEventsLeaveTheQueue) {
    SDL_Event press{};
    press.type = SDL_KEYDOWN;
    press.key.state = SDL_PRESSED;
    press.key.keysym.scancode = SDL_SCANCODE_KP_1;
    SDL_PushEvent(&press);

    KeyBuffer keys = readKeys();
    EXPECT_TRUE(down(keys, KeyCode::Numpad1));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_TEXTEDITING_EXT), 0);
    keys = readKeys();
    EXPECT_FALSE(down(keys, KeyCode::Numpad1));
}

TEST_F(KeyboardOnX, RealKeysReadByPositionAndAQuickTapIsNotLost) {
    if (!haveXdotool()) {
        GTEST_SKIP() << "xdotool is not installed";
    }
    xdotool("keydown w keydown Up keydown Escape");
    KeyBuffer keys = readKeys();
    EXPECT_TRUE(down(keys, KeyCode::W));
    EXPECT_TRUE(down(keys, KeyCode::Up));
    EXPECT_TRUE(down(keys, KeyCode::Escape));
    EXPECT_FALSE(down(keys, KeyCode::S));
    xdotool("keyup w keyup Up keyup Escape");
    keys = readKeys();
    EXPECT_FALSE(down(keys, KeyCode::W));
    EXPECT_FALSE(down(keys, KeyCode::Up));

    // Pressed and released between two reads.
    xdotool("keydown g keyup g");
    EXPECT_TRUE(down(readKeys(), KeyCode::G));
    EXPECT_FALSE(down(readKeys(), KeyCode::G));

    // The keypad keys by X keycode, with Num Lock off.
    xdotool("keydown 87 keydown 88");
    keys = readKeys();
    EXPECT_TRUE(down(keys, KeyCode::Numpad1));
    EXPECT_TRUE(down(keys, KeyCode::Numpad2));
    xdotool("keyup 87 keyup 88");
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_TEXTEDITING_EXT), 0);
}

TEST(KeyboardDevice, WithoutAWindowWithTheFocusTheKeyboardCannotBeHad) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("keyboard", 0, 0, 64, 64, SDL_WINDOW_SHOWN);
    auto keyboard = openKeyboard();
    KeyBuffer keys{};
    EXPECT_FALSE(keyboard->read(keys));
    EXPECT_FALSE(keyboard->acquire());
    keyboard.reset();
    SDL_DestroyWindow(window);
    SDL_Quit();
}

}  // namespace
