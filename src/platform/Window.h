#pragma once

#include <memory>
#include <optional>
#include <string>

struct SDL_Window;

// The game's one window, ready for OpenGL drawing: a fixed-size captioned
// window at (100, 100) whose client area is exactly the requested size, or a
// full-screen window of that size.
class Window {
public:
    static constexpr int WINDOWED_X = 100;
    static constexpr int WINDOWED_Y = 100;
    // The OpenGL version the window's context asks for.
    static constexpr int GL_MAJOR = 3;
    static constexpr int GL_MINOR = 3;

    // Null when there is no display to open it on; error then says so in one
    // line. A video driver named in SDL_VIDEODRIVER is used as it is, so
    // tests can draw without an X server; otherwise SDL's invisible fallback
    // drivers count as no display.
    static std::unique_ptr<Window> open(const std::string& title, int width, int height,
                                        bool fullscreen, std::string& error);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Takes at most one pending message and never waits. Returns the exit
    // code when the message asks the program to end (the window was closed).
    std::optional<int> pumpMessage();

    SDL_Window* handle() const { return window_; }

private:
    explicit Window(SDL_Window* window) : window_(window) {}

    SDL_Window* window_;
};
