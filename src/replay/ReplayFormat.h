#pragma once

#include "replay/ReplayHeader.h"
#include "replay/ReplayStep.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A replay file, little-endian: the magic, the format version, the game
// version (a length byte, then its bytes), the robots, controllers and
// levels (a byte per side each), the seed (8 bytes) and the start time
// (8 bytes); then records up to the end of the file.
constexpr char REPLAY_MAGIC[] = "KORVRPLY";
constexpr std::size_t REPLAY_MAGIC_SIZE = sizeof(REPLAY_MAGIC) - 1;
constexpr std::uint16_t REPLAY_FORMAT_VERSION = 1;
constexpr std::size_t REPLAY_MAX_GAME_VERSION = 32;
constexpr std::uint8_t REPLAY_ROBOT_MODELS = 2;
constexpr std::size_t REPLAY_FORMAT_VERSION_SIZE = 2;
constexpr std::size_t REPLAY_SEED_SIZE = 8;
constexpr std::size_t REPLAY_STARTED_AT_SIZE = 8;

// A step is one byte with bit 7 clear: its milliseconds in the low bits,
// and bit 6 set when the held controls changed, their mask following in two
// bytes. A checksum is the byte REPLAY_CHECKSUM_RECORD and 8 bytes.
constexpr std::uint8_t REPLAY_STEP_MS_BITS = 0x3F;
constexpr std::uint8_t REPLAY_STEP_HELD_FOLLOWS = 0x40;
constexpr std::uint8_t REPLAY_NOT_A_STEP = 0x80;
constexpr std::uint8_t REPLAY_CHECKSUM_RECORD = 0x80;
constexpr std::size_t REPLAY_HELD_SIZE = 2;
constexpr std::size_t REPLAY_CHECKSUM_SIZE = 8;
// The twelve player controls.
constexpr std::uint16_t REPLAY_HELD_BITS = 0x0FFF;
static_assert(REPLAY_MAX_STEP_MS <= REPLAY_STEP_MS_BITS);

// Why a header cannot be written or read as it is; empty when it can.
std::string replayHeaderFault(const ReplayHeader& header);

// Why a step cannot be written or read as it is; empty when it can.
std::string replayStepFault(const ReplayStep& step);

// A byte or a mask as the error lines show it: 0x8F.
std::string replayHex(unsigned value);
