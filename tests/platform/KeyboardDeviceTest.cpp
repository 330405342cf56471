#include "platform/KeyboardDevice.h"
#include "platform/Window.h"
#include "support/XServer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr Uint32 FOCUS_TIMEOUT_MS = 5000;

// The game's window on a private X server, holding the keyboard focus, and
// the keyboard opened after it as the game does.
class KeyboardOnX : public testing::Test {
protected:
    void SetUp() override {
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

    // Reads the keyboard once: which of these keys are down.
    std::vector<bool> readDown(std::initializer_list<std::uint8_t> codes) {
        KeyBuffer keys{};
        EXPECT_TRUE(keyboard->read(keys));
        std::vector<bool> down;
        for (const std::uint8_t code : codes) down.push_back((keys[code] & KEY_DOWN_BIT) != 0);
        return down;
    }

    // Runs xdotool on the private server and lets the events arrive.
    void xdotool(const std::string& arguments) {
        std::string command = "DISPLAY=";
        command.append(server.display()).append(" xdotool ").append(arguments);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        SDL_Delay(50);
    }

    XServer server{320, 240};
    std::unique_ptr<Window> window;
    std::unique_ptr<KeyboardDevice> keyboard;
};

TEST_F(KeyboardOnX, KeysReadByPositionATapBetweenReadsCountsOnceAndNoInputPilesUpInTheQueue) {
    // Uncovered, the window asks for its picture once.
    window->pumpEvents();
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(window->handle());
    ASSERT_EQ(SDL_PushEvent(&exposed), 1);
    EXPECT_TRUE(window->pumpEvents().redraw);
    EXPECT_FALSE(window->pumpEvents().redraw);
    xdotool("keydown w keydown Up");
    EXPECT_EQ(readDown({KeyCode::W, KeyCode::Up, KeyCode::S}), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_TEXTEDITING_EXT), 0);
    xdotool("keyup w keyup Up");
    EXPECT_EQ(readDown({KeyCode::W, KeyCode::Up}), (std::vector<bool>{false, false}));
    // Pressed and released between two reads.
    xdotool("keydown g keyup g");
    EXPECT_EQ(readDown({KeyCode::G}), std::vector<bool>{true});
    EXPECT_EQ(readDown({KeyCode::G}), std::vector<bool>{false});
    // Alt+Return switches full screen and is no Return for the game.
    xdotool("keydown alt keydown Return");
    EXPECT_EQ(readDown({KeyCode::Return}), std::vector<bool>{false});
    EXPECT_TRUE(window->pumpEvents().redraw) << "switched to full screen";
    xdotool("keyup Return keyup alt");
    // The pointer's motion over the window does not pile up in the queue
    // either: the game reads no pointer.
    std::string moves = "mousemove 110 150";
    for (int x = 111; x < 150; ++x) moves += " mousemove " + std::to_string(x) + " 150";
    xdotool(moves);
    window->pumpEvents();
    EXPECT_LT(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 10);
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
