#include "net/NetPacket.h"

#include <gtest/gtest.h>

using namespace NetPacket;

namespace {

std::optional<Message> read(const std::vector<std::uint8_t>& bytes) { return decode(bytes.data(), bytes.size()); }

ControlsPacket someControls(std::size_t steps) {
    ControlsPacket packet;
    packet.firstStep = 70000;
    for (std::size_t i = 0; i < steps; ++i) packet.held.push_back(static_cast<std::uint8_t>((i * 37) & 0x7F));
    packet.acknowledged = 69990;
    packet.senderStep = 70005;
    packet.sentAtMs = 0xA1B2C3D4;
    packet.echoedMs = 123456;
    packet.echoHeldMs = 0xBEEF;
    return packet;
}

// Every kind, each field set to something that a swapped byte would change.
std::vector<std::vector<std::uint8_t>> everyKind() {
    return {encode(HelloPacket{PROTOCOL_VERSION, "0.14.2"}), encode(ChoicePacket{3, true}),
            encode(StartPacket{1, 0}), encode(someControls(MAX_STEPS_PER_PACKET)),
            encode(ChecksumPacket{0x01020304, 0x1122334455667788ull}), encode(ResumePacket{0xFFFFFFFE}),
            encode(LeavePacket{OutOfStep})};
}

// That every kind reads back as written is the fuzz target's check (its seeds
// hold one packet of each kind) and the sessions' that play on them; these
// two readings are meant, not a byte for byte return.
TEST(NetPacket, NoStepAcknowledgedAndAHelloOfAnotherProtocolReadAsSuch) {
    EXPECT_EQ(read(encode(ControlsPacket{}))->controls.acknowledged, -1);
    const auto hello = read(encode(HelloPacket{PROTOCOL_VERSION + 1, "9.9"}));
    ASSERT_TRUE(hello);
    EXPECT_TRUE(hello->hello.protocol == PROTOCOL_VERSION + 1 && hello->hello.gameVersion == "9.9");
}

TEST(NetPacket, BadPacketsAreRefused) {
    for (const std::vector<std::uint8_t>& whole : everyKind()) {
        for (std::size_t cut = 0; cut < whole.size(); ++cut)
            EXPECT_FALSE(decode(whole.data(), cut)) << "kind " << int(whole[3]) << " cut to " << cut;
        std::vector<std::uint8_t> longer = whole;
        longer.push_back(0);
        EXPECT_FALSE(read(longer)) << "trailing byte, kind " << int(whole[3]);
        std::vector<std::uint8_t> otherVersion = whole;
        otherVersion[2] = PROTOCOL_VERSION + 1;
        if (whole[3] != Hello) {
            EXPECT_FALSE(read(otherVersion)) << "kind " << int(whole[3]);
        }
        std::vector<std::uint8_t> otherMagic = whole;
        otherMagic[0] = 'X';
        EXPECT_FALSE(read(otherMagic)) << "kind " << int(whole[3]);
    }
    const auto withByte = [](std::vector<std::uint8_t> bytes, std::size_t at, std::uint8_t value) {
        bytes[at] = value;
        return bytes;
    };
    const std::vector<std::uint8_t> controls = encode(someControls(2));
    std::vector<std::uint8_t> tooManySteps = encode(someControls(MAX_STEPS_PER_PACKET));
    tooManySteps[8] = MAX_STEPS_PER_PACKET + 1;
    tooManySteps.insert(tooManySteps.begin() + 9, 0);
    ControlsPacket belowNone;
    belowNone.acknowledged = -2;
    std::vector<std::uint8_t> tooLong(MAX_PACKET_BYTES + 1, 0);
    tooLong[0] = 'K';
    tooLong[1] = 'V';
    tooLong[2] = PROTOCOL_VERSION;
    tooLong[3] = Controls;
    const std::vector<std::vector<std::uint8_t>> bad = {
        tooLong,
        {'K', 'V', PROTOCOL_VERSION, 0},
        {'K', 'V', PROTOCOL_VERSION, 8, 0},
        {0xFF, 0x00, 0x13, 0x37, 0x42, 0x42, 0x42},
        withByte(encode(ChoicePacket{1, false}), 4, 0),           // row 0
        withByte(encode(ChoicePacket{1, false}), 4, 4),           // row past the last
        withByte(encode(ChoicePacket{1, false}), 5, 2),           // a lock that is neither
        withByte(encode(StartPacket{0, 0}), 5, 2),                // no such robot
        withByte(encode(LeavePacket{LeftMatch}), 4, 0),           // no such reason
        withByte(encode(LeavePacket{LeftMatch}), 4, OutOfStep + 1),
        withByte(encode(HelloPacket{PROTOCOL_VERSION, "1.0"}), 4, 0),   // an empty version
        withByte(encode(HelloPacket{PROTOCOL_VERSION, "1.0"}), 5, '\n'),  // one not printable
        withByte(encode(HelloPacket{PROTOCOL_VERSION, "1.0"}), 4, MAX_VERSION_BYTES + 1),
        tooManySteps,
        withByte(controls, 9, 0x80),   // a held bit no control has
        withByte(controls, 7, 0x80),   // a first step that would wrap
        withByte(controls, 18, 0x80),  // a sender step that would wrap
        encode(belowNone),
    };
    for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(read(bad[i])) << "bad packet " << i;
    EXPECT_FALSE(decode(nullptr, 0));
}

}  // namespace
