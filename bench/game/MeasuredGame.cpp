// The game as it ships, with a counting allocator and a log of the main
// loop's marks for the start-up and running benchmark (GameRunBench).

#include "game/CountingAllocator.h"
#include "shell/Application.h"
#include "shell/LoopObserver.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace {

std::int64_t monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One line per mark: "loaded <ns>" and "frame <ns> <allocations since the
// previous frame> <1 when it was presented, else 0>", on the monotonic clock
// that the benchmark reads too.
class LoggingObserver : public LoopObserver {
public:
    explicit LoggingObserver(std::FILE* log) : log_(log) {}

    void assetsLoaded() override {
        std::fprintf(log_, "loaded %" PRId64 "\n", monotonicNs());
        std::fflush(log_);
    }
    void framePassed(bool presented) override {
        const std::uint64_t count = allocationCount();
        std::fprintf(log_, "frame %" PRId64 " %" PRIu64 " %d\n", monotonicNs(), count - previous_,
                     presented ? 1 : 0);
        std::fflush(log_);
        previous_ = count;
    }

private:
    std::FILE* log_;
    std::uint64_t previous_ = 0;
};

}  // namespace

int main() {
    const char* path = std::getenv("KORV_BENCH_LOG");
    std::FILE* log = path ? std::fopen(path, "w") : nullptr;
    if (!log) return runApplication();
    LoggingObserver observer(log);
    return runApplication(&observer);
}
