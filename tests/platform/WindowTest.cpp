#include "platform/Window.h"

#include "support/XServer.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The window's size, place and close request are checked on the real game
// under X; this is what the game cannot show from outside.
TEST(WindowUnderX, KeyAndPointerEventsNeverPileUpInTheQueue) {
    XServer x;
    ASSERT_TRUE(x.running());
    setenv("DISPLAY", x.display().c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    std::string error;
    const std::unique_ptr<Window> window = Window::open("Window test", 320, 200, false, error);
    ASSERT_TRUE(window) << error;
    const unsigned long id = x.findWindow("Window test", 10000);
    ASSERT_NE(id, 0u);

    x.sendKeysAndMotion(id, 500);
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(window->pumpEvents().quit);
    SDL_PumpEvents();
    EXPECT_LT(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 10);
}

}  // namespace
