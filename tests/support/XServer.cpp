#include "support/XServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

Display* dpy(void* connection) { return static_cast<Display*>(connection); }

// Windows come and go while the game starts; a request about one that has
// just gone must not end the test.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::optional<int> waitForExit(pid_t pid, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        sleepMs(5);
    }
}

}  // namespace

XServer::XServer(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO);
        dup2(devNull, STDOUT_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd waitFor{fds[0], POLLIN, 0};
    while (poll(&waitFor, 1, 10000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) return;
    const std::string name = ":" + number;
    XSetErrorHandler(ignoreXErrors);
    connection_ = XOpenDisplay(name.c_str());
    if (connection_ != nullptr) display_ = name;
}

XServer::~XServer() {
    if (connection_ != nullptr) XCloseDisplay(dpy(connection_));
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        if (!waitForExit(pid_, 5000)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
}

unsigned long XServer::findWindow(const std::string& title, int timeoutMs, unsigned long other) const {
    if (connection_ == nullptr) return 0;
    Display* d = dpy(connection_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        unsigned long found = 0;
        XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            char* name = nullptr;
            XWindowAttributes attributes;
            if (children[i] != other && XFetchName(d, children[i], &name) && title == name &&
                XGetWindowAttributes(d, children[i], &attributes) && attributes.map_state == IsViewable)
                found = children[i];
            XFree(name);
        }
        XFree(children);
        if (found != 0) return found;
        sleepMs(20);
    } while (std::chrono::steady_clock::now() < deadline);
    return 0;
}

XServer::Geometry XServer::geometry(unsigned long window) const {
    Display* d = dpy(connection_);
    XWindowAttributes attributes;
    XGetWindowAttributes(d, window, &attributes);
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

XServer::SizeLimits XServer::sizeLimits(unsigned long window) const {
    XSizeHints hints{};
    long supplied = 0;
    SizeLimits limits{};
    if (XGetWMNormalHints(dpy(connection_), window, &hints, &supplied) == 0) return limits;
    if ((hints.flags & PMinSize) != 0) limits.minWidth = hints.min_width, limits.minHeight = hints.min_height;
    if ((hints.flags & PMaxSize) != 0) limits.maxWidth = hints.max_width, limits.maxHeight = hints.max_height;
    return limits;
}

std::vector<std::uint32_t> XServer::screenshot(unsigned long window, int& width, int& height) const {
    Display* d = dpy(connection_);
    const Geometry g = geometry(window);
    // Taken from the root window: what the screen really shows there. None,
    // and no size, while the window reaches past the screen's edge, as it
    // may while it is moved or resized.
    XImage* image = XGetImage(d, DefaultRootWindow(d), g.x, g.y, static_cast<unsigned>(g.width),
                              static_cast<unsigned>(g.height), AllPlanes, ZPixmap);
    width = image ? g.width : 0;
    height = image ? g.height : 0;
    std::vector<std::uint32_t> pixels;
    if (image == nullptr) return pixels;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
    XDestroyImage(image);
    return pixels;
}

void XServer::sendDeleteWindow(unsigned long window) const {
    Display* d = dpy(connection_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XFlush(d);
}

void XServer::focus(unsigned long window) {
    constexpr unsigned int OTHER_SIDE = 100;
    Display* d = dpy(connection_);
    if (window == 0) {
        if (otherWindow_ == 0) {
            otherWindow_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, OTHER_SIDE, OTHER_SIDE, 0, 0, 0);
            XMapRaised(d, otherWindow_);
        }
        window = otherWindow_;
    }
    XSync(d, False);
    XSetInputFocus(d, window, RevertToParent, CurrentTime);
    XSync(d, False);
}

ChildProcess::ChildProcess(const std::string& program, const std::string& workingDirectory,
                           const std::vector<std::string>& environment, const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        dup2(fds[1], STDERR_FILENO);
        if (chdir(workingDirectory.c_str()) != 0) _exit(126);
        for (const std::string& assignment : environment) {
            const auto equals = assignment.find('=');
            if (equals == std::string::npos)
                unsetenv(assignment.c_str());
            else
                setenv(assignment.substr(0, equals).c_str(), assignment.c_str() + equals + 1, 1);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    errorPipe_ = fds[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (errorPipe_ >= 0) close(errorPipe_);
}

std::optional<int> ChildProcess::wait(int timeoutMs) {
    std::optional<int> status = waitForExit(pid_, timeoutMs);
    exited_ = status.has_value();
    return status;
}

std::string ChildProcess::standardError() {
    std::string text;
    char buffer[256];
    pollfd ready{errorPipe_, POLLIN, 0};
    while (poll(&ready, 1, 0) > 0) {
        const ssize_t n = read(errorPipe_, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}
