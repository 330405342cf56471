#include "replay/ReplayWriter.h"

#include "replay/ReplayFormat.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr int BITS_PER_BYTE = 8;
constexpr std::uint8_t BYTE_BITS = 0xFF;

void putLittleEndian(std::uint64_t value, std::size_t count, std::uint8_t* out) {
    for (std::size_t i = 0; i < count; ++i, value >>= BITS_PER_BYTE) out[i] = value & BYTE_BITS;
}

}  // namespace

ReplayWriter::~ReplayWriter() { close(); }

bool ReplayWriter::open(const std::string& path, const ReplayHeader& header, std::string& error) {
    close();
    if (std::string fault = replayHeaderFault(header); !fault.empty()) {
        error = "cannot record " + path + ": " + fault;
        return false;
    }
    // "x": a replay already there is never written over.
    file_ = std::fopen(path.c_str(), "wbx");
    if (file_ == nullptr) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    path_ = path;
    held_ = 0;
    steps_ = 0;

    std::vector<std::uint8_t> bytes(REPLAY_MAGIC, REPLAY_MAGIC + REPLAY_MAGIC_SIZE);
    const auto put = [&bytes](std::uint64_t value, std::size_t count) {
        bytes.resize(bytes.size() + count);
        putLittleEndian(value, count, bytes.data() + bytes.size() - count);
    };
    put(REPLAY_FORMAT_VERSION, REPLAY_FORMAT_VERSION_SIZE);
    bytes.push_back(static_cast<std::uint8_t>(header.gameVersion.size()));
    bytes.insert(bytes.end(), header.gameVersion.begin(), header.gameVersion.end());
    for (const auto* field : {&header.robots, &header.controllers, &header.levels})
        bytes.insert(bytes.end(), field->begin(), field->end());
    put(header.seed, REPLAY_SEED_SIZE);
    put(static_cast<std::uint64_t>(header.startedAt), REPLAY_STARTED_AT_SIZE);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() && std::fflush(file_) == 0) return true;
    error = "cannot write " + path + ": " + std::strerror(errno);
    std::fclose(file_);
    file_ = nullptr;
    std::remove(path.c_str());
    return false;
}

bool ReplayWriter::isOpen() const { return file_ != nullptr; }

void ReplayWriter::addStep(const ReplayStep& step) {
    if (!isOpen()) return;
    if (std::string fault = replayStepFault(step); !fault.empty()) {
        fail(fault);
        return;
    }
    std::uint8_t record[1 + REPLAY_HELD_SIZE] = {static_cast<std::uint8_t>(step.elapsedMs)};
    std::size_t size = 1;
    if (step.held != held_) {
        record[0] |= REPLAY_STEP_HELD_FOLLOWS;
        putLittleEndian(step.held, REPLAY_HELD_SIZE, record + 1);
        size += REPLAY_HELD_SIZE;
    }
    write(record, size);
    if (!isOpen()) return;
    held_ = step.held;
    ++steps_;
}

void ReplayWriter::addChecksum(std::uint64_t checksum) {
    std::uint8_t record[1 + REPLAY_CHECKSUM_SIZE] = {REPLAY_CHECKSUM_RECORD};
    putLittleEndian(checksum, REPLAY_CHECKSUM_SIZE, record + 1);
    write(record, sizeof record);
}

void ReplayWriter::close() {
    if (!isOpen()) return;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (steps_ == 0) {
        std::remove(path_.c_str());
    } else if (!closed) {
        fail(std::strerror(errno));
    }
}

void ReplayWriter::write(const std::uint8_t* bytes, std::size_t size) {
    if (!isOpen()) return;
    if (std::fwrite(bytes, 1, size, file_) != size || std::fflush(file_) != 0) fail(std::strerror(errno));
}

void ReplayWriter::fail(const std::string& reason) {
    std::fprintf(stderr, "korvandeltix: replay not saved: %s: %s\n", path_.c_str(), reason.c_str());
    close();
}
