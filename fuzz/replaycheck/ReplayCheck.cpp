// Plays each replay named on the command line and compares the match with
// every checksum the replay keeps. Exits with 1 when a file cannot be read,
// keeps no checksum, or parts from this build's match anywhere.
#include "match/ReplayPlayback.h"
#include "replay/ReplayReader.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char** argv) {
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        std::string error;
        const std::optional<Replay> replay = ReplayReader::read(argv[i], error);
        if (!replay) {
            std::fprintf(stderr, "%s\n", error.c_str());
            ++failed;
            continue;
        }
        ReplayPlayback playback(*replay);
        while (playback.playStep()) {
        }
        if (const std::optional<std::size_t> parted = playback.partedAfter()) {
            std::fprintf(stderr, "%s: the match parts from its checksum after step %zu\n", argv[i], *parted);
            ++failed;
        } else if (playback.checksumsCompared() == 0) {
            std::fprintf(stderr, "%s: keeps no checksum to compare\n", argv[i]);
            ++failed;
        } else {
            std::printf("%s: %zu steps, %zu checksums, all the same\n", argv[i], replay->steps.size(),
                        playback.checksumsCompared());
        }
    }
    return failed == 0 && argc > 1 ? 0 : 1;
}
