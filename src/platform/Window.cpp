#include "platform/Window.h"

#include <SDL2/SDL.h>

#include <cstring>

namespace {

constexpr int COLOR_BITS = 8;

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

// The game polls the keyboard and ignores pointer input, so these events
// would only pile up in the queue; SDL still keeps its key state current.
void ignorePolledEvents() {
    constexpr Uint32 ignored[] = {
        SDL_KEYDOWN,         SDL_KEYUP,         SDL_TEXTEDITING,   SDL_TEXTINPUT,
        SDL_KEYMAPCHANGED,   SDL_MOUSEMOTION,   SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
        SDL_MOUSEWHEEL,      SDL_FINGERDOWN,    SDL_FINGERUP,      SDL_FINGERMOTION,
        SDL_MULTIGESTURE,    SDL_DOLLARGESTURE, SDL_TEXTEDITING_EXT,
    };
    for (Uint32 type : ignored) SDL_EventState(type, SDL_IGNORE);
    SDL_StopTextInput();
}

}  // namespace

std::unique_ptr<Window> Window::open(const std::string& title, int width, int height,
                                     bool fullscreen, std::string& error) {
    constexpr const char* NO_DISPLAY = "no display to open the window on (is DISPLAY set?)";
    // Without a display to name, SDL's probing only prints noise before it
    // falls back to drawing nowhere.
    if (!videoDriverNamedExplicitly() && !hasDisplayVariable()) {
        error = NO_DISPLAY;
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display to open the window on (") + SDL_GetError() + ")";
        return nullptr;
    }
    if (!videoDriverNamedExplicitly() && isInvisibleDriver(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = NO_DISPLAY;
        return nullptr;
    }

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, GL_MAJOR);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, GL_MINOR);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, COLOR_BITS);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, COLOR_BITS);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, COLOR_BITS);
    // The back buffer with its depth and samples is an offscreen framebuffer
    // of the device; the window's own framebuffer only receives the picture.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    int x = WINDOWED_X;
    int y = WINDOWED_Y;
    if (fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN;
        x = 0;
        y = 0;
    }
    SDL_Window* window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    if (window == nullptr) {
        error = std::string("the window cannot be opened (") + SDL_GetError() + ")";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    if (fullscreen) {
        SDL_DisplayMode mode{};
        mode.w = width;
        mode.h = height;
        mode.format = SDL_PIXELFORMAT_RGB888;
        SDL_SetWindowDisplayMode(window, &mode);
    }
    ignorePolledEvents();
    return std::unique_ptr<Window>(new Window(window));
}

Window::~Window() {
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::optional<int> Window::pumpMessage() {
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0) return std::nullopt;
    if (event.type == SDL_QUIT) return 0;
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) return 0;
    return std::nullopt;
}
