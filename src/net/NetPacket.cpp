#include "net/NetPacket.h"

#include <algorithm>
#include <cstdint>

namespace NetPacket {
namespace {

constexpr std::uint8_t MAGIC_0 = 'K';
constexpr std::uint8_t MAGIC_1 = 'V';
constexpr std::size_t HEADER_BYTES = 4;
constexpr std::uint8_t ROBOT_COUNT = 2;
constexpr std::uint8_t ROW_COUNT = 3;
constexpr std::uint8_t HELD_BITS = 0x7F;  // six controls and the pause

class Writer {
public:
    explicit Writer(Kind kind, std::uint8_t protocol = PROTOCOL_VERSION) {
        bytes_ = {MAGIC_0, MAGIC_1, protocol, kind};
    }
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) { little(value, 2); }
    void u32(std::uint32_t value) { little(value, 4); }
    void u64(std::uint64_t value) { little(value, 8); }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    void little(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    std::vector<std::uint8_t> bytes_;
};

// Reads fields in order; once one is missing every later read fails too.
class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}
    bool u8(std::uint8_t& value) { return little(value, 1); }
    bool u16(std::uint16_t& value) { return little(value, 2); }
    bool u32(std::uint32_t& value) { return little(value, 4); }
    bool u64(std::uint64_t& value) { return little(value, 8); }
    bool skip(std::size_t count) {
        if (size_ - at_ < count) return false;
        at_ += count;
        return true;
    }
    const std::uint8_t* here() const { return bytes_ + at_; }
    bool atEnd() const { return at_ == size_; }

private:
    template <class T>
    bool little(T& value, int count) {
        if (size_ - at_ < static_cast<std::size_t>(count)) return false;
        std::uint64_t read = 0;
        for (int i = 0; i < count; ++i) read |= static_cast<std::uint64_t>(bytes_[at_ + i]) << (8 * i);
        at_ += count;
        value = static_cast<T>(read);
        return true;
    }
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t at_ = HEADER_BYTES;
};

bool printable(const std::uint8_t* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        if (text[i] < 0x20 || text[i] > 0x7E) return false;
    return true;
}

bool readHello(Reader& reader, HelloPacket& packet) {
    std::uint8_t length = 0;
    if (!reader.u8(length) || length == 0 || length > MAX_VERSION_BYTES) return false;
    const std::uint8_t* text = reader.here();
    if (!reader.skip(length) || !printable(text, length)) return false;
    packet.gameVersion.assign(reinterpret_cast<const char*>(text), length);
    return true;
}

bool readControls(Reader& reader, ControlsPacket& packet) {
    std::uint8_t count = 0;
    std::uint32_t acknowledged = 0;
    if (!reader.u32(packet.firstStep) || !reader.u8(count) || count > MAX_STEPS_PER_PACKET) return false;
    packet.held.assign(count, 0);
    for (std::uint8_t& held : packet.held)
        if (!reader.u8(held) || (held & ~HELD_BITS) != 0) return false;
    if (!reader.u32(acknowledged) || !reader.u32(packet.senderStep) || !reader.u32(packet.sentAtMs) ||
        !reader.u32(packet.echoedMs) || !reader.u16(packet.echoHeldMs))
        return false;
    packet.acknowledged = static_cast<std::int32_t>(acknowledged);
    // Steps count up from 0 within one match: a count that would wrap is forged.
    return packet.acknowledged >= -1 && packet.firstStep <= INT32_MAX - MAX_STEPS_PER_PACKET &&
           packet.senderStep <= INT32_MAX;
}

}  // namespace

std::vector<std::uint8_t> encode(const HelloPacket& packet) {
    Writer writer(Hello, packet.protocol);
    const std::size_t length = std::min(packet.gameVersion.size(), MAX_VERSION_BYTES);
    writer.u8(static_cast<std::uint8_t>(length));
    for (std::size_t i = 0; i < length; ++i) writer.u8(static_cast<std::uint8_t>(packet.gameVersion[i]));
    return writer.take();
}

std::vector<std::uint8_t> encode(const ChoicePacket& packet) {
    Writer writer(Choice);
    writer.u8(packet.row);
    writer.u8(packet.locked ? 1 : 0);
    return writer.take();
}

std::vector<std::uint8_t> encode(const StartPacket& packet) {
    Writer writer(Start);
    writer.u8(packet.robot1);
    writer.u8(packet.robot2);
    return writer.take();
}

std::vector<std::uint8_t> encode(const ControlsPacket& packet) {
    Writer writer(Controls);
    const std::size_t count = std::min(packet.held.size(), MAX_STEPS_PER_PACKET);
    writer.u32(packet.firstStep);
    writer.u8(static_cast<std::uint8_t>(count));
    for (std::size_t i = 0; i < count; ++i) writer.u8(packet.held[i] & HELD_BITS);
    writer.u32(static_cast<std::uint32_t>(packet.acknowledged));
    writer.u32(packet.senderStep);
    writer.u32(packet.sentAtMs);
    writer.u32(packet.echoedMs);
    writer.u16(packet.echoHeldMs);
    return writer.take();
}

std::vector<std::uint8_t> encode(const ChecksumPacket& packet) {
    Writer writer(Checksum);
    writer.u32(packet.step);
    writer.u64(packet.value);
    return writer.take();
}

std::vector<std::uint8_t> encode(const ResumePacket& packet) {
    Writer writer(Resume);
    writer.u32(packet.step);
    return writer.take();
}

std::vector<std::uint8_t> encode(const LeavePacket& packet) {
    Writer writer(Leave);
    writer.u8(packet.reason);
    return writer.take();
}

std::optional<Message> decode(const std::uint8_t* bytes, std::size_t size) {
    if (bytes == nullptr || size < HEADER_BYTES || size > MAX_PACKET_BYTES) return std::nullopt;
    if (bytes[0] != MAGIC_0 || bytes[1] != MAGIC_1) return std::nullopt;
    Message message;
    message.kind = static_cast<Kind>(bytes[3]);
    if (message.kind != Hello && bytes[2] != PROTOCOL_VERSION) return std::nullopt;
    Reader reader(bytes, size);
    bool read = false;
    switch (message.kind) {
        case Hello:
            message.hello.protocol = bytes[2];
            read = readHello(reader, message.hello);
            break;
        case Choice: {
            std::uint8_t locked = 0;
            read = reader.u8(message.choice.row) && reader.u8(locked) && message.choice.row >= 1 &&
                   message.choice.row <= ROW_COUNT && locked <= 1;
            message.choice.locked = locked == 1;
            break;
        }
        case Start:
            read = reader.u8(message.start.robot1) && reader.u8(message.start.robot2) &&
                   message.start.robot1 < ROBOT_COUNT && message.start.robot2 < ROBOT_COUNT;
            break;
        case Controls: read = readControls(reader, message.controls); break;
        case Checksum: read = reader.u32(message.checksum.step) && reader.u64(message.checksum.value); break;
        case Resume: read = reader.u32(message.resume.step); break;
        case Leave:
            read = reader.u8(message.leave.reason) && message.leave.reason >= LeftMatch &&
                   message.leave.reason <= OutOfStep;
            break;
        default: return std::nullopt;
    }
    if (!read || !reader.atEnd()) return std::nullopt;
    return message;
}

}  // namespace NetPacket
