#include "platform/Window.h"

#include "support/XServer.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

constexpr int PUMP_LIMIT = 2000;

struct WindowUnderX : ::testing::Test {
    XServer x;
    std::unique_ptr<Window> window;
    unsigned long id = 0;

    void SetUp() override {
        ASSERT_TRUE(x.running());
        setenv("DISPLAY", x.display().c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
        std::string error;
        window = Window::open("Window test", 320, 200, false, error);
        ASSERT_TRUE(window) << error;
        id = x.findWindow("Window test", 10000);
        ASSERT_NE(id, 0u);
    }
};

TEST_F(WindowUnderX, HasTheAskedClientSizeAt100And100NeverPilesUpInputAndEndsOnTheCloseRequest) {
    const XServer::Geometry g = x.geometry(id);
    EXPECT_EQ((std::array{g.x, g.y, g.width, g.height}), (std::array{Window::WINDOWED_X, Window::WINDOWED_Y, 320, 200}));

    x.sendKeysAndMotion(id, 500);
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(window->pumpMessage().has_value());
    SDL_PumpEvents();
    EXPECT_LT(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 10);

    x.sendDeleteWindow(id);
    std::optional<int> exitCode;
    for (int i = 0; i < PUMP_LIMIT && !exitCode; ++i) {
        exitCode = window->pumpMessage();
        if (!exitCode) SDL_Delay(1);
    }
    EXPECT_EQ(exitCode, std::optional<int>(0));
}

TEST(WindowWithoutDisplay, IsRefusedWithAOneLineReasonUnlessAVideoDriverIsNamed) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    std::string error;
    EXPECT_FALSE(Window::open("t", 320, 200, false, error));
    EXPECT_NE(error.find("no display"), std::string::npos);
    EXPECT_EQ(error.find('\n'), std::string::npos);

    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    EXPECT_TRUE(Window::open("t", 320, 200, false, error)) << error;
}

}  // namespace
