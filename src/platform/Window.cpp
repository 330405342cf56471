#include "platform/Window.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int COLOR_BITS = 8;
constexpr int DEPTH_BITS = 16;  // as the device's offscreen back buffer

bool videoDriverNamedExplicitly() {
    const char* hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return hint != nullptr && hint[0] != '\0';
}

// Drivers SDL falls back to when no real display answers: they draw
// nowhere a player could see.
bool hasDisplayVariable() {
    const char* x11 = SDL_getenv("DISPLAY");
    const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

bool isInvisibleDriver(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
           std::strcmp(driver, "dummy") == 0;
}

// The game polls the keyboard, ignores pointer input and takes nothing
// dropped on its window nor from the clipboard, so these events would only
// pile up in the queue; SDL still keeps its key state current.
void ignorePolledEvents() {
    constexpr Uint32 ignored[] = {
        SDL_KEYDOWN,         SDL_KEYUP,         SDL_TEXTEDITING,   SDL_TEXTINPUT,
        SDL_KEYMAPCHANGED,   SDL_MOUSEMOTION,   SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
        SDL_MOUSEWHEEL,      SDL_FINGERDOWN,    SDL_FINGERUP,      SDL_FINGERMOTION,
        SDL_MULTIGESTURE,    SDL_DOLLARGESTURE, SDL_TEXTEDITING_EXT, SDL_CLIPBOARDUPDATE,
        SDL_DROPFILE,        SDL_DROPTEXT,      SDL_DROPBEGIN,     SDL_DROPCOMPLETE,
    };
    for (Uint32 type : ignored) SDL_EventState(type, SDL_IGNORE);
    SDL_StopTextInput();
}

bool losesPicture(Uint8 windowEvent) {
    switch (windowEvent) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: return true;
        default: return false;
    }
}

}  // namespace

bool Window::startVideo(std::string& error) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
    constexpr const char* NO_DISPLAY = "no display to open the window on (is DISPLAY set?)";
    // Without a display to name, SDL's probing only prints noise before it
    // falls back to drawing nowhere.
    if (!videoDriverNamedExplicitly() && !hasDisplayVariable()) {
        error = NO_DISPLAY;
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display to open the window on (") + SDL_GetError() + ")";
        return false;
    }
    if (!videoDriverNamedExplicitly() && isInvisibleDriver(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = NO_DISPLAY;
        return false;
    }
    return true;
}

std::unique_ptr<Window> Window::open(const std::string& title, int width, int height,
                                     bool fullscreen, std::string& error) {
    if (!startVideo(error)) return nullptr;

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, GL_MAJOR);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, GL_MINOR);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, COLOR_BITS);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, COLOR_BITS);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, COLOR_BITS);
    // Frames are drawn straight into the window when it has the back
    // buffer's size and depth; multisampled frames, or frames for a window
    // of another size or depth, are drawn offscreen by the device and
    // copied in.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, DEPTH_BITS);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);

    // On X11, EGL gives the window a depth buffer of the size asked for,
    // where GLX gives its largest; GLX serves when EGL is missing.
    SDL_SetHint(SDL_HINT_VIDEO_X11_FORCE_EGL, "1");
    constexpr Uint32 FLAGS = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    SDL_Window* window = SDL_CreateWindow(title.c_str(), WINDOWED_X, WINDOWED_Y, width, height, FLAGS);
    if (window == nullptr) {
        SDL_SetHint(SDL_HINT_VIDEO_X11_FORCE_EGL, "0");
        window = SDL_CreateWindow(title.c_str(), WINDOWED_X, WINDOWED_Y, width, height, FLAGS);
    }
    if (window == nullptr) {
        error = std::string("the window cannot be opened (") + SDL_GetError() + ")";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    ignorePolledEvents();
    // The window manager keeps a dragged window at least this big.
    SDL_SetWindowMinimumSize(window, MIN_WIDTH, MIN_HEIGHT);
    std::unique_ptr<Window> opened(new Window(window, width, height));
    if (fullscreen) opened->setFullscreen(true);
    return opened;
}

Window::~Window() {
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

WindowEvents Window::pumpEvents() {
    WindowEvents events;
    SDL_PumpEvents();
    SDL_Event event;
    // The application, display and window messages; pads and anything else
    // stay in the queue for whoever reads them.
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_SYSWMEVENT) > 0) {
        if (event.type == SDL_QUIT) events.quit = true;
        if (event.type != SDL_WINDOWEVENT) continue;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) events.quit = true;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) events.focusLost = true;
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) keepLeastSize();
        if (losesPicture(event.window.event)) events.redraw = true;
    }

    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    const bool returnDown = keys[SDL_SCANCODE_RETURN] != 0;
    const bool altDown = keys[SDL_SCANCODE_LALT] != 0 || keys[SDL_SCANCODE_RALT] != 0;
    if (returnDown && !returnWasDown_ && altDown) {
        setFullscreen((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0);
        events.redraw = true;
    }
    returnWasDown_ = returnDown;
    return events;
}

// Full screen keeps the desktop's resolution; the picture is fitted into it
// when presented. A window manager makes the window cover the screen when
// asked; where none answers, the window's own place and size do it.
void Window::setFullscreen(bool fullscreen) {
    if (fullscreen) {
        SDL_Rect screen{};
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &screen);
        SDL_SetWindowPosition(window_, screen.x, screen.y);
        SDL_SetWindowSize(window_, screen.w, screen.h);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, width_, height_);
        SDL_SetWindowPosition(window_, WINDOWED_X, WINDOWED_Y);
    }
}

// Without a window manager, or with one that ignores the least size, a
// window can still be made smaller: it grows back.
void Window::keepLeastSize() {
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0) return;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    if (width < MIN_WIDTH || height < MIN_HEIGHT)
        SDL_SetWindowSize(window_, std::max(width, MIN_WIDTH), std::max(height, MIN_HEIGHT));
}
