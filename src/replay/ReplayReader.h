#pragma once

#include "replay/Replay.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Reads replay files. A last record cut short, as a crash in the middle of
// a write leaves it, is dropped: the steps before it play.
class ReplayReader {
public:
    // Larger files are refused unread.
    static constexpr std::size_t MAX_FILE_SIZE = std::size_t{64} << 20;

    // A whole replay, or nothing with one clear line in error (no trailing
    // newline, no "korvandeltix:" prefix).
    static std::optional<Replay> parse(const std::uint8_t* data, std::size_t size, std::string& error);
    // The same for a file; the error line starts with the file's path.
    static std::optional<Replay> read(const std::string& path, std::string& error);
};
