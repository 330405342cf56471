// Starts the measured game five times on a private Xvfb, drives it with key
// presses as a player would, and prints each figure's min / median / max
// beside its goal: start-up times, CPU use in the main menu and in a match,
// the resident set in the main menu and heap allocations per frame.

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
constexpr int WAIT_LIMIT_MS = 60000;

using SteadyClock = std::chrono::steady_clock;

long long monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}
void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The measured game's log: when it finished loading and each frame's time
// and allocation count.
struct Marks {
    long long loadedNs = 0;
    std::vector<long long> frameNs;
    std::vector<long long> frameAllocations;
};

Marks readMarks(const std::string& path) {
    Marks marks;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind;
        long long ns = 0;
        long long count = 0;
        if (!(fields >> kind >> ns)) continue;
        if (kind == "loaded") marks.loadedNs = ns;
        if (kind == "frame" && fields >> count) {
            marks.frameNs.push_back(ns);
            marks.frameAllocations.push_back(count);
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

struct Run {
    double firstFrameS = 0, loadedS = 0;
    double menuCpu = 0, matchCpu = 0, menuRssMb = 0;
    double menuAllocations = 0, matchAllocations = 0;
    double menuFrameCpuMs = 0, matchFrameCpuMs = 0;
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
        measureWindow(run.menuCpu, run.menuFrameCpuMs, run.menuAllocations);
        run.menuRssMb = residentMegabytes(pid_);

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
        measureWindow(run.matchCpu, run.matchFrameCpuMs, run.matchAllocations);
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
    // CPU use in % of one core over the window, CPU time per frame (what a
    // loaded machine cannot hide: the game then draws fewer frames), and the
    // most allocations any frame in it made.
    void measureWindow(double& cpuPercent, double& frameCpuMs, double& allocations) {
        const long long fromNs = monotonicNs();
        const double cpuBefore = cpuSeconds(pid_);
        sleepMs(MEASURE_MS);
        const double cpuAfter = cpuSeconds(pid_);
        const long long toNs = monotonicNs();
        cpuPercent = 100.0 * (cpuAfter - cpuBefore) / (static_cast<double>(toNs - fromNs) / 1e9);
        const Marks marks = readMarks(log_);
        long long most = 0;
        int frames = 0;
        for (std::size_t i = 0; i < marks.frameNs.size(); ++i)
            if (marks.frameNs[i] >= fromNs && marks.frameNs[i] <= toNs) {
                most = std::max(most, marks.frameAllocations[i]);
                ++frames;
            }
        allocations = static_cast<double>(most);
        frameCpuMs = frames > 0 ? 1000.0 * (cpuAfter - cpuBefore) / frames : 0.0;
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
    const std::string heading = std::to_string(runs.size()) + " runs";
    std::printf("%-36s %10s %10s %10s   %s\n", heading.c_str(), "min", "median", "max", "goal");
    printRow("exec -> first frame (intro), s", column(&Run::firstFrameS), "<= 0.35", "%.3f");
    printRow("exec -> every asset loaded, s", column(&Run::loadedS), "<= 0.8", "%.3f");
    printRow("CPU, main menu 640x480, % of a core", column(&Run::menuCpu), "<= 20", "%.1f");
    printRow("CPU, match, disc in flight, %", column(&Run::matchCpu), "<= 30", "%.1f");
    printRow("CPU per frame, main menu, ms", column(&Run::menuFrameCpuMs), "<= 3.3 at 60 Hz", "%.2f");
    printRow("CPU per frame, match, ms", column(&Run::matchFrameCpuMs), "<= 5 at 60 Hz", "%.2f");
    printRow("resident set, main menu, MB", column(&Run::menuRssMb), "<= 160", "%.1f");
    printRow("allocations per frame, main menu", column(&Run::menuAllocations), "0", "%.0f");
    printRow("allocations per frame, match", column(&Run::matchAllocations), "0", "%.0f");
    return 0;
}
