#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the two machines of an online match say to each other, and the bytes
// that carry it. Every packet starts with the magic "KV", the protocol
// version and its kind; a hello is read whatever its version, so that a
// side of another version can be told so, and every other packet of another
// version is dropped. Integers are little-endian.
namespace NetPacket {

constexpr std::uint8_t PROTOCOL_VERSION = 1;
constexpr std::size_t MAX_PACKET_BYTES = 512;
// The most steps of controls one packet repeats; more never wait unacknowledged.
constexpr std::size_t MAX_STEPS_PER_PACKET = 64;
constexpr std::size_t MAX_VERSION_BYTES = 32;

enum Kind : std::uint8_t {
    Hello = 1,     // reliable: who is calling
    Choice = 2,    // reliable: the row this side points at on the characters page, and its lock
    Start = 3,     // reliable, from the host: both have locked; the robots of players 1 and 2
    Controls = 4,  // unsequenced: this side's controls of the steps the other has not acknowledged
    Checksum = 5,  // reliable: the match after a step this side has confirmed
    Resume = 6,    // reliable: the player who paused goes on
    Leave = 7,     // reliable: this side is gone, and why
};

enum LeaveReason : std::uint8_t {
    LeftMatch = 1,       // the player left the match or the page
    VersionMismatch = 2, // the hello showed another version
    OutOfStep = 3,       // the two matches' checksums differed
};

struct HelloPacket {
    std::uint8_t protocol = PROTOCOL_VERSION;
    std::string gameVersion;
};
struct ChoicePacket {
    std::uint8_t row = 1;
    bool locked = false;
};
struct StartPacket {
    std::uint8_t robot1 = 0;
    std::uint8_t robot2 = 0;
};
struct ControlsPacket {
    std::uint32_t firstStep = 0;
    std::vector<std::uint8_t> held;  // one mask per step from firstStep on
    // The newest step up to which every one of the other side's steps arrived,
    // or -1 for none yet.
    std::int32_t acknowledged = -1;
    std::uint32_t senderStep = 0;     // the step the sender runs next, for keeping the clocks together
    std::uint32_t sentAtMs = 0;       // the sender's clock
    std::uint32_t echoedMs = 0;       // the other's newest sentAtMs, for the round trip
    std::uint16_t echoHeldMs = 0;     // how long the sender held that one before echoing it
};
struct ChecksumPacket {
    std::uint32_t step = 0;
    std::uint64_t value = 0;
};
struct ResumePacket {
    std::uint32_t step = 0;  // the step the match stands after
};
struct LeavePacket {
    std::uint8_t reason = LeftMatch;
};

// A packet as read: its kind and the one field set that goes with it.
struct Message {
    Kind kind = Hello;
    HelloPacket hello;
    ChoicePacket choice;
    StartPacket start;
    ControlsPacket controls;
    ChecksumPacket checksum;
    ResumePacket resume;
    LeavePacket leave;
};

std::vector<std::uint8_t> encode(const HelloPacket& packet);
std::vector<std::uint8_t> encode(const ChoicePacket& packet);
std::vector<std::uint8_t> encode(const StartPacket& packet);
std::vector<std::uint8_t> encode(const ControlsPacket& packet);
std::vector<std::uint8_t> encode(const ChecksumPacket& packet);
std::vector<std::uint8_t> encode(const ResumePacket& packet);
std::vector<std::uint8_t> encode(const LeavePacket& packet);

// Nothing for a packet that is cut, too long, of another version (hellos
// excepted), of an unknown kind, or whose fields are out of range.
std::optional<Message> decode(const std::uint8_t* bytes, std::size_t size);

}  // namespace NetPacket
