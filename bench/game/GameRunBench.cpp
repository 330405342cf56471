// Starts the measured game five times on a private Xvfb, drives it with key
// presses as a player would, and prints each figure's min / median / max
// beside its goal: start-up times, CPU use in the main menu standing still,
// with its highlight moving once a second and in a match, the resident set
// in the main menu and in a match, and heap allocations per frame.

#include "menus/GameDirectory.h"
#include "support/XServer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int RUNS = 5;  // unless the command line asks for another count
constexpr int SETTLE_MS = 1500;   // after a page change, before measuring
constexpr int MEASURE_MS = 4000;  // the window of a CPU and allocation figure
constexpr int HOLD_MS = 90;
constexpr int BETWEEN_KEYS_MS = 300;
constexpr int RUN_TO_DISC_MS = 900;
constexpr int HIGHLIGHT_MOVE_MS = 1000;
constexpr int WAIT_LIMIT_MS = 60000;

using SteadyClock = std::chrono::steady_clock;

long long monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}
void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The measured game's log: when it finished loading and each pass of its
// loop's time, allocation count and whether it presented a frame.
struct Marks {
    long long loadedNs = 0;
    std::vector<long long> frameNs;
    std::vector<long long> frameAllocations;
    std::vector<int> framePresented;
};

Marks readMarks(const std::string& path) {
    Marks marks;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind;
        long long ns = 0;
        long long count = 0;
        int presented = 0;
        if (!(fields >> kind >> ns)) continue;
        if (kind == "loaded") marks.loadedNs = ns;
        if (kind == "frame" && fields >> count >> presented) {
            marks.frameNs.push_back(ns);
            marks.frameAllocations.push_back(count);
            marks.framePresented.push_back(presented);
        }
    }
    return marks;
}

// Processor time of a process so far, in seconds (user and system).
double cpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The fields after the command name, which may hold spaces, start after ')'.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    constexpr int UTIME_FIELD = 11;  // counted from the state field, from 0
    for (int i = 0; i < UTIME_FIELD; ++i) fields >> field;
    long long user = 0;
    long long system = 0;
    fields >> user >> system;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double residentMegabytes(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

// What one window of measuring saw.
struct Sample {
    double cpuPercent = 0;
    double frameCpuMs = 0;  // per pass of the loop
    double presentedPerS = 0;
    double allocations = 0;  // the most in one pass
};

struct Run {
    double firstFrameS = 0, loadedS = 0;
    Sample menu, movingMenu, match;
    double menuRssMb = 0, matchRssMb = 0;
    bool ok = false;
};

class GameRun {
public:
    GameRun() : log_(directory_.temp.file("marks.log")) {}

    Run measure() {
        Run run;
        if (!server_.running()) return fail(run, "no Xvfb");
        const long long startNs = monotonicNs();
        ChildProcess game(KORV_MEASURED_GAME_EXE, directory_.path,
                          {"DISPLAY=" + server_.display(), "ALSOFT_DRIVERS=null",
                           "KORV_BENCH_LOG=" + log_});
        pid_ = game.pid();
        window_ = server_.findWindow("Korvandeltix", WAIT_LIMIT_MS);
        if (window_ == 0) return fail(run, game.standardError());
        Marks marks;
        const auto deadline = SteadyClock::now() + std::chrono::milliseconds(WAIT_LIMIT_MS);
        // The loading finishes behind the intro, after its first frame.
        while (((marks = readMarks(log_)).frameNs.empty() || marks.loadedNs == 0) &&
               SteadyClock::now() < deadline)
            sleepMs(5);
        if (marks.frameNs.empty() || marks.loadedNs == 0) return fail(run, "no frame");
        run.firstFrameS = static_cast<double>(marks.frameNs.front() - startNs) / 1e9;
        run.loadedS = static_cast<double>(marks.loadedNs - startNs) / 1e9;

        sleepMs(SETTLE_MS);
        press("Return");  // past the intro
        sleepMs(SETTLE_MS);
        run.menu = measureWindow(false);
        run.menuRssMb = residentMegabytes(pid_);
        run.movingMenu = measureWindow(true);
        // Back on "Play", where the highlight started.
        for (int i = 0; i < MEASURE_MS / HIGHLIGHT_MOVE_MS; ++i) press("Up");

        press("Return");  // Play
        sleepMs(SETTLE_MS);
        press("g");
        press("87");  // numeric pad 1, by its keycode: both players chose
        sleepMs(SETTLE_MS);
        // Player 1 runs onto the served disc with the throw held, so it
        // flies across as soon as it is caught.
        xdotool("keydown d keydown g");
        sleepMs(RUN_TO_DISC_MS);
        xdotool("keyup d");
        run.match = measureWindow(false);
        run.matchRssMb = residentMegabytes(pid_);
        xdotool("keyup g");
        run.ok = true;
        return run;
    }

private:
    Run fail(Run run, const std::string& why) {
        std::fprintf(stderr, "run failed: %s\n", why.c_str());
        return run;
    }
    void xdotool(const std::string& arguments) {
        const std::string command = "DISPLAY=" + server_.display() + " xdotool " + arguments;
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
    }
    void press(const std::string& key) {
        xdotool("keydown " + key);
        sleepMs(HOLD_MS);
        xdotool("keyup " + key);
        sleepMs(BETWEEN_KEYS_MS);
    }
    // CPU use in % of one core over the window, CPU time per pass of the
    // loop (what a loaded machine cannot hide: the game then runs fewer),
    // frames presented a second, and the most allocations any pass made;
    // with moveHighlight, the main menu's highlight moves down once a second.
    Sample measureWindow(bool moveHighlight) {
        Sample window;
        const long long fromNs = monotonicNs();
        const double cpuBefore = cpuSeconds(pid_);
        if (moveHighlight) {
            for (int i = 0; i < MEASURE_MS / HIGHLIGHT_MOVE_MS; ++i) {
                xdotool("keydown Down");
                sleepMs(HOLD_MS);
                xdotool("keyup Down");
                sleepMs(HIGHLIGHT_MOVE_MS - HOLD_MS);
            }
        } else {
            sleepMs(MEASURE_MS);
        }
        const double cpuAfter = cpuSeconds(pid_);
        const long long toNs = monotonicNs();
        const double seconds = static_cast<double>(toNs - fromNs) / 1e9;
        window.cpuPercent = 100.0 * (cpuAfter - cpuBefore) / seconds;
        const Marks marks = readMarks(log_);
        long long most = 0;
        int passes = 0;
        int presented = 0;
        for (std::size_t i = 0; i < marks.frameNs.size(); ++i)
            if (marks.frameNs[i] >= fromNs && marks.frameNs[i] <= toNs) {
                most = std::max(most, marks.frameAllocations[i]);
                ++passes;
                presented += marks.framePresented[i];
            }
        window.allocations = static_cast<double>(most);
        window.frameCpuMs = passes > 0 ? 1000.0 * (cpuAfter - cpuBefore) / passes : 0.0;
        window.presentedPerS = presented / seconds;
        return window;
    }

    XServer server_;
    GameDirectory directory_;
    std::string log_;
    pid_t pid_ = -1;
    unsigned long window_ = 0;
};

void printRow(const char* name, std::vector<double> values, const char* goal, const char* format) {
    std::sort(values.begin(), values.end());
    char cells[3][32];
    const double picks[3] = {values.front(), values[values.size() / 2], values.back()};
    for (int i = 0; i < 3; ++i) std::snprintf(cells[i], sizeof cells[i], format, picks[i]);
    std::printf("%-36s %10s %10s %10s   %s\n", name, cells[0], cells[1], cells[2], goal);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : RUNS;
    std::vector<Run> runs;
    for (int i = 0; i < count; ++i) {
        const Run run = GameRun().measure();
        if (run.ok) runs.push_back(run);
        std::fprintf(stderr, "run %d of %d done\n", i + 1, count);
    }
    if (runs.empty()) return 1;
    auto column = [&](double Run::*field) {
        std::vector<double> values;
        for (const Run& run : runs) values.push_back(run.*field);
        return values;
    };
    auto windowColumn = [&](Sample Run::*window, double Sample::*field) {
        std::vector<double> values;
        for (const Run& run : runs) values.push_back(run.*window.*field);
        return values;
    };
    const std::string heading = std::to_string(runs.size()) + " runs";
    std::printf("%-36s %10s %10s %10s   %s\n", heading.c_str(), "min", "median", "max", "goal");
    printRow("exec -> first frame (intro), s", column(&Run::firstFrameS), "<= 0.15", "%.3f");
    printRow("exec -> every asset loaded, s", column(&Run::loadedS), "<= 0.45", "%.3f");
    printRow("CPU, main menu 640x480, % of a core", windowColumn(&Run::menu, &Sample::cpuPercent), "<= 3",
             "%.1f");
    printRow("CPU, main menu moving 1/s, %", windowColumn(&Run::movingMenu, &Sample::cpuPercent), "<= 10",
             "%.1f");
    printRow("CPU, match, disc in flight, %", windowColumn(&Run::match, &Sample::cpuPercent), "<= 30", "%.1f");
    printRow("CPU per loop pass, main menu, ms", windowColumn(&Run::menu, &Sample::frameCpuMs), "", "%.2f");
    printRow("CPU per loop pass, match, ms", windowColumn(&Run::match, &Sample::frameCpuMs), "<= 5 at 60 Hz",
             "%.2f");
    printRow("frames shown a second, main menu", windowColumn(&Run::menu, &Sample::presentedPerS), "", "%.1f");
    printRow("frames shown a second, menu moving", windowColumn(&Run::movingMenu, &Sample::presentedPerS), "",
             "%.1f");
    printRow("frames shown a second, match", windowColumn(&Run::match, &Sample::presentedPerS), "", "%.1f");
    printRow("resident set, main menu, MB", column(&Run::menuRssMb), "<= 150", "%.1f");
    printRow("resident set, match, MB", column(&Run::matchRssMb), "<= 160", "%.1f");
    printRow("allocations per frame, main menu", windowColumn(&Run::menu, &Sample::allocations), "0", "%.0f");
    printRow("allocations per frame, match", windowColumn(&Run::match, &Sample::allocations), "0", "%.0f");
    return 0;
}
