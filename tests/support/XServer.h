#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A private Xvfb for one test, on a display number the server picks itself,
// stopped when the test ends.
class XServer {
public:
    explicit XServer(int width = 1024, int height = 768);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool running() const { return !display_.empty(); }
    const std::string& display() const { return display_; }

    // The top-level window with this title, once it is mapped, other than
    // the one given; 0 if none appears within the time.
    unsigned long findWindow(const std::string& title, int timeoutMs, unsigned long other = 0) const;
    // Client area size and position on the screen.
    struct Geometry { int x, y, width, height; };
    Geometry geometry(unsigned long window) const;
    // The least and most sizes a window manager lets the user drag the
    // window to; 0 where the window names none.
    struct SizeLimits { int minWidth, minHeight, maxWidth, maxHeight; };
    SizeLimits sizeLimits(unsigned long window) const;
    // The window's client area as it shows on the screen, 0xRRGGBB per pixel.
    std::vector<std::uint32_t> screenshot(unsigned long window, int& width, int& height) const;
    // What a window manager sends when the user closes the window.
    void sendDeleteWindow(unsigned long window) const;
    // Gives the keyboard to a window, or to a new window of another program
    // (window 0), as a person does by clicking elsewhere.
    void focus(unsigned long window);

private:
    pid_t pid_ = -1;
    std::string display_;
    void* connection_ = nullptr;
    unsigned long otherWindow_ = 0;
};

// A child process with its own working directory, extra environment and
// arguments, its standard error captured.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& workingDirectory,
                 const std::vector<std::string>& environment, const std::vector<std::string>& arguments = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status when the process ends within the time (-signal when
    // killed by one), nothing otherwise.
    std::optional<int> wait(int timeoutMs);
    std::string standardError();
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int errorPipe_ = -1;
    bool exited_ = false;
};
