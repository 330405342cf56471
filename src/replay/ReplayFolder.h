#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where replays are kept, and the newest REPLAYS_KEPT of them.
class ReplayFolder {
public:
    static constexpr int REPLAYS_KEPT = 50;
    static constexpr const char* EXTENSION = ".korvreplay";

    explicit ReplayFolder(std::string path);
    const std::string& path() const;
    // A new file's path for a match started at startedAt (seconds since
    // the epoch), named by its local time, e.g.
    // "2026-12-07_22-53-41.korvreplay", with "-2", "-3"... before the
    // extension when that name is taken. Makes the folder (and its parents)
    // first; empty with one line in error when it cannot.
    std::string newReplayPath(std::int64_t startedAt, std::string& error) const;
    // The paths of the replay files, newest first.
    std::vector<std::string> list() const;
    // Deletes all but the newest REPLAYS_KEPT replay files; touches nothing
    // else in the folder.
    void prune() const;

private:
    std::string path_;
};
