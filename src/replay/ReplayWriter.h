#pragma once

#include "replay/ReplayHeader.h"
#include "replay/ReplayStep.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes a replay as the match goes: every step reaches the file at once
// (flushed), so a match cut short by a crash or a killed process still
// plays up to where it stopped. A failed write, or a step the file cannot
// hold, closes the writer with one line on the standard error stream; the
// steps written before it stay readable. A replay closed before its first
// step is no replay: its file is removed.
class ReplayWriter {
public:
    ReplayWriter() = default;
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    // Creates the file (never over an existing one) and writes the header;
    // false with one line in error when it cannot.
    bool open(const std::string& path, const ReplayHeader& header, std::string& error);
    bool isOpen() const;
    void addStep(const ReplayStep& step);
    // The match's checksum after the steps written so far.
    void addChecksum(std::uint64_t checksum);
    void close();

private:
    void write(const std::uint8_t* bytes, std::size_t size);
    void fail(const std::string& reason);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::uint16_t held_ = 0;
    std::size_t steps_ = 0;
};
