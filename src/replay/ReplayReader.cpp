#include "replay/ReplayReader.h"

#include "replay/ReplayFormat.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int BITS_PER_BYTE = 8;
constexpr std::size_t READ_CHUNK = std::size_t{1} << 16;

std::uint64_t littleEndian(const std::uint8_t* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << BITS_PER_BYTE | bytes[i];
    return value;
}

std::string atByte(const std::string& what, std::size_t offset) {
    return what + " at byte " + std::to_string(offset);
}

// Copies a field of one byte per side and moves past it.
template <std::size_t N>
void take(std::array<std::uint8_t, N>& field, const std::uint8_t*& at) {
    std::memcpy(field.data(), at, N);
    at += N;
}

}  // namespace

std::optional<Replay> ReplayReader::parse(const std::uint8_t* data, std::size_t size, std::string& error) {
    if (size > MAX_FILE_SIZE) {
        error = "the replay is larger than " + std::to_string(MAX_FILE_SIZE >> 20) + " MiB";
        return std::nullopt;
    }
    if (size == 0 || std::memcmp(data, REPLAY_MAGIC, std::min(size, REPLAY_MAGIC_SIZE)) != 0) {
        error = "not a Korvandeltix replay";
        return std::nullopt;
    }
    const std::string cut = "the replay is cut inside its header";
    std::size_t at = REPLAY_MAGIC_SIZE;
    if (size < at + REPLAY_FORMAT_VERSION_SIZE) {
        error = cut;
        return std::nullopt;
    }
    if (const std::uint64_t version = littleEndian(data + at, REPLAY_FORMAT_VERSION_SIZE);
        version != REPLAY_FORMAT_VERSION) {
        error = "replay format version " + std::to_string(version) + "; this game reads version " +
                std::to_string(REPLAY_FORMAT_VERSION);
        return std::nullopt;
    }
    at += REPLAY_FORMAT_VERSION_SIZE;
    Replay replay;
    ReplayHeader& header = replay.header;
    const std::size_t sidesSize = header.robots.size() + header.controllers.size() + header.levels.size();
    if (size <= at || size - at - 1 < data[at] + sidesSize + REPLAY_SEED_SIZE + REPLAY_STARTED_AT_SIZE) {
        error = cut;
        return std::nullopt;
    }
    const std::uint8_t* field = data + at + 1;
    header.gameVersion.assign(reinterpret_cast<const char*>(field), data[at]);
    field += data[at];
    take(header.robots, field);
    take(header.controllers, field);
    take(header.levels, field);
    header.seed = littleEndian(field, REPLAY_SEED_SIZE);
    field += REPLAY_SEED_SIZE;
    header.startedAt = static_cast<std::int64_t>(littleEndian(field, REPLAY_STARTED_AT_SIZE));
    field += REPLAY_STARTED_AT_SIZE;
    if (std::string fault = replayHeaderFault(header); !fault.empty()) {
        error = fault;
        return std::nullopt;
    }

    std::uint16_t held = 0;
    for (at = static_cast<std::size_t>(field - data); at < size;) {
        const std::uint8_t kind = data[at];
        const std::size_t left = size - at - 1;
        if ((kind & REPLAY_NOT_A_STEP) != 0) {
            if (kind != REPLAY_CHECKSUM_RECORD) {
                error = atByte("unknown record " + replayHex(kind), at);
                return std::nullopt;
            }
            if (left < REPLAY_CHECKSUM_SIZE) break;
            replay.checksums.push_back({replay.steps.size(), littleEndian(data + at + 1, REPLAY_CHECKSUM_SIZE)});
            at += 1 + REPLAY_CHECKSUM_SIZE;
            continue;
        }
        const bool heldFollows = (kind & REPLAY_STEP_HELD_FOLLOWS) != 0;
        ReplayStep step{kind & REPLAY_STEP_MS_BITS, held};
        std::string fault = replayStepFault(step);
        if (fault.empty() && heldFollows) {
            if (left < REPLAY_HELD_SIZE) break;
            step.held = held = static_cast<std::uint16_t>(littleEndian(data + at + 1, REPLAY_HELD_SIZE));
            fault = replayStepFault(step);
        }
        if (!fault.empty()) {
            error = atByte(fault, at);
            return std::nullopt;
        }
        replay.steps.push_back(step);
        at += 1 + (heldFollows ? REPLAY_HELD_SIZE : 0);
    }
    if (replay.steps.empty()) {
        error = "the replay holds no step";
        return std::nullopt;
    }
    return replay;
}

std::optional<Replay> ReplayReader::read(const std::string& path, std::string& error) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::size_t used = 0;
    // One byte past the largest size tells a larger file.
    while (used <= MAX_FILE_SIZE) {
        bytes.resize(std::min(used + READ_CHUNK, MAX_FILE_SIZE + 1));
        const std::size_t got = std::fread(bytes.data() + used, 1, bytes.size() - used, file.get());
        used += got;
        if (got == 0) break;
    }
    if (std::ferror(file.get())) {
        error = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::optional<Replay> replay = parse(bytes.data(), used, error);
    if (!replay) error = path + ": " + error;
    return replay;
}
