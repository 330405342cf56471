#include "platform/KeyboardDevice.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr Uint32 FOCUS_TIMEOUT_MS = 5000;

// A private X server for the test, on a display number it picks itself.
class XvfbServer {
public:
    XvfbServer() {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        pid = fork();
        if (pid == 0) {
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-nolisten",
                   "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        // The server writes its display number and a line feed once it is
        // ready, and fails if the pipe closes before the whole line is read.
        std::string line;
        char c = 0;
        while (pid > 0 && read(ready[0], &c, 1) == 1 && c != '\n') {
            line += c;
        }
        close(ready[0]);
        if (!line.empty()) {
            display = ":" + line;
        }
    }
    ~XvfbServer() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }

    pid_t pid = -1;
    std::string display;
};

// A real SDL window on the private server, holding the keyboard focus.
class KeyboardOnX : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(server.display.empty()) << "Xvfb did not start";
        setenv("DISPLAY", server.display.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("keyboard", 0, 0, 160, 120, SDL_WINDOW_SHOWN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        const Uint32 start = SDL_GetTicks();
        while (SDL_GetKeyboardFocus() != window && SDL_GetTicks() - start < FOCUS_TIMEOUT_MS) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
        ASSERT_EQ(SDL_GetKeyboardFocus(), window);
        keyboard = openKeyboard();
    }
    void TearDown() override {
        keyboard.reset();
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }

    KeyBuffer readKeys() {
        KeyBuffer keys{};
        EXPECT_TRUE(keyboard->read(keys));
        return keys;
    }

    // Runs xdotool on the private server and lets the events arrive.
    void xdotool(const std::string& arguments) {
        std::string command = "DISPLAY=";
        command.append(server.display).append(" xdotool ").append(arguments);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        SDL_Delay(50);
    }

    static bool down(const KeyBuffer& keys, std::uint8_t code) { return (keys[code] & KEY_DOWN_BIT) != 0; }

    XvfbServer server;
    SDL_Window* window = nullptr;
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
