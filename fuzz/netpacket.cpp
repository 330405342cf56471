// Packets from the network: any bytes are refused, or read as a message
// that, written again, gives the same bytes and reads back the same.
#include "net/NetPacket.h"

#include <algorithm>
#include <cstdlib>

using namespace NetPacket;

namespace {

std::vector<std::uint8_t> encodeAgain(const Message& message) {
    switch (message.kind) {
        case Hello: return encode(message.hello);
        case Choice: return encode(message.choice);
        case Start: return encode(message.start);
        case Controls: return encode(message.controls);
        case Checksum: return encode(message.checksum);
        case Resume: return encode(message.resume);
        case Leave: return encode(message.leave);
    }
    std::abort();
}

bool same(const Message& a, const Message& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
        case Hello: return a.hello.protocol == b.hello.protocol && a.hello.gameVersion == b.hello.gameVersion;
        case Choice: return a.choice.row == b.choice.row && a.choice.locked == b.choice.locked;
        case Start: return a.start.robot1 == b.start.robot1 && a.start.robot2 == b.start.robot2;
        case Controls:
            return a.controls.firstStep == b.controls.firstStep && a.controls.held == b.controls.held &&
                   a.controls.acknowledged == b.controls.acknowledged &&
                   a.controls.senderStep == b.controls.senderStep && a.controls.sentAtMs == b.controls.sentAtMs &&
                   a.controls.echoedMs == b.controls.echoedMs && a.controls.echoHeldMs == b.controls.echoHeldMs;
        case Checksum: return a.checksum.step == b.checksum.step && a.checksum.value == b.checksum.value;
        case Resume: return a.resume.step == b.resume.step;
        case Leave: return a.leave.reason == b.leave.reason;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<Message> message = decode(data, size);
    if (!message) return 0;
    const std::vector<std::uint8_t> bytes = encodeAgain(*message);
    const std::optional<Message> again = decode(bytes.data(), bytes.size());
    if (!again || !same(*message, *again) || !std::equal(bytes.begin(), bytes.end(), data, data + size)) std::abort();
    return 0;
}
