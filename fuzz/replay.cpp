// Replays: any bytes are refused with one line, or read as a replay the game
// can play (at least one step, each no longer than the longest and holding
// only the twelve controls, checksums in step order, a header it could
// write) which the writer writes to a file that reads back the same.
#include "replay/ReplayFormat.h"
#include "replay/ReplayReader.h"
#include "replay/ReplayWriter.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

bool playable(const Replay& replay, std::size_t size) {
    if (replay.steps.empty() || replay.steps.size() > size || !replayHeaderFault(replay.header).empty()) return false;
    for (const ReplayStep& step : replay.steps)
        if (!replayStepFault(step).empty()) return false;
    std::size_t before = 0;
    for (const ReplayChecksum& checksum : replay.checksums) {
        if (checksum.afterSteps < before || checksum.afterSteps > replay.steps.size()) return false;
        before = checksum.afterSteps;
    }
    return true;
}

bool writesBackTheSame(const Replay& replay) {
    static const std::string path = (std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") +
                                    std::string("/korv-fuzz-replay-") + std::to_string(getpid());
    std::remove(path.c_str());
    ReplayWriter writer;
    std::string error;
    if (!writer.open(path, replay.header, error)) return false;
    auto checksum = replay.checksums.begin();
    for (std::size_t step = 0; step <= replay.steps.size(); ++step) {
        for (; checksum != replay.checksums.end() && checksum->afterSteps == step; ++checksum)
            writer.addChecksum(checksum->value);
        if (step < replay.steps.size()) writer.addStep(replay.steps[step]);
    }
    writer.close();
    const std::optional<Replay> again = ReplayReader::read(path, error);
    std::remove(path.c_str());
    return again == replay;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const std::optional<Replay> replay = ReplayReader::parse(data, size, error);
    if (replay ? !playable(*replay, size) || !writesBackTheSame(*replay)
               : error.empty() || error.find('\n') != std::string::npos)
        std::abort();
    return 0;
}
