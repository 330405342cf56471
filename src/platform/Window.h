#pragma once

#include <memory>
#include <string>

struct SDL_Window;

// What the window's own messages brought since the last pump.
struct WindowEvents {
    bool quit = false;       // the window was closed: the program ends
    bool focusLost = false;  // another window took the keyboard
    // The window's picture was lost or changed size: uncovered, shown,
    // resized, or switched to or from full screen.
    bool redraw = false;
};

// The game's one window, ready for OpenGL drawing: a captioned window at
// (100, 100) whose client area starts at exactly the requested size and
// that the player may then drag to any size from MIN_WIDTH x MIN_HEIGHT up,
// or a window covering the screen at the desktop's own resolution.
// Alt+Enter switches between the two. The drawing device fits its picture
// into whatever size the window has.
class Window {
public:
    static constexpr int WINDOWED_X = 100;
    static constexpr int WINDOWED_Y = 100;
    static constexpr int MIN_WIDTH = 320;
    static constexpr int MIN_HEIGHT = 240;
    // The OpenGL version the window's context asks for.
    static constexpr int GL_MAJOR = 3;
    static constexpr int GL_MINOR = 3;

    // Brings up the display the window opens on; open does it too, once.
    // False when there is no display; error then says so in one line. A
    // video driver named in SDL_VIDEODRIVER is used as it is, so tests can
    // draw without an X server; otherwise SDL's invisible fallback drivers
    // count as no display. Called before any other thread starts: on Linux
    // it may fork a helper (the session bus's autolaunch), and a child
    // forked beside running threads can hang on a lock one of them held.
    static bool startVideo(std::string& error);
    // Null when there is no display to open it on (as startVideo says).
    static std::unique_ptr<Window> open(const std::string& title, int width, int height,
                                        bool fullscreen, std::string& error);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Takes every pending message of the window itself and never waits;
    // input devices take their own messages from the queue. Alt+Enter, read
    // from the polled keys, switches full screen here, and a window made
    // smaller than the least size grows back to it.
    WindowEvents pumpEvents();

    SDL_Window* handle() const { return window_; }

private:
    Window(SDL_Window* window, int width, int height)
        : window_(window), width_(width), height_(height) {}
    void setFullscreen(bool fullscreen);
    void keepLeastSize();

    SDL_Window* window_;
    int width_;
    int height_;
    bool returnWasDown_ = false;
};
