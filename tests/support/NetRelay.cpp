#include "support/NetRelay.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t LARGEST_DATAGRAM = 65536;

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

bool sameAddress(const sockaddr_in& a, const sockaddr_in& b) {
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

}  // namespace

int openLoopbackSocket(std::uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

NetRelay::NetRelay(std::uint16_t targetPort, const NetCondition& condition, std::uint32_t seed)
    : target_(loopback(targetPort)), condition_(condition), random_(seed) {
    std::uint16_t unused = 0;
    front_ = openLoopbackSocket(port_);
    back_ = openLoopbackSocket(unused);
}

NetRelay::~NetRelay() {
    if (front_ >= 0) close(front_);
    if (back_ >= 0) close(back_);
}

void NetRelay::cut() {
    cut_ = true;
    queue_ = {};
}

bool NetRelay::chance(double probability) {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < probability;
}

void NetRelay::pump(std::int64_t nowMs) {
    receive(front_, true, nowMs);
    receive(back_, false, nowMs);
    while (!queue_.empty() && queue_.top().dueMs <= nowMs) {
        const Datagram& datagram = queue_.top();
        const int socket = datagram.toTarget ? back_ : front_;
        const sockaddr_in& to = datagram.toTarget ? target_ : client_;
        sendto(socket, datagram.bytes.data(), datagram.bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
               sizeof to);
        queue_.pop();
    }
}

void NetRelay::receive(int socket, bool toTarget, std::int64_t nowMs) {
    std::array<std::uint8_t, LARGEST_DATAGRAM> buffer;
    for (;;) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t size =
            recvfrom(socket, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (size < 0) return;
        if (toTarget && !hasClient_) {
            client_ = from;
            hasClient_ = true;
        }
        if (!sameAddress(from, toTarget ? client_ : target_)) {
            ++strangersDropped_;
            continue;
        }
        if (cut_ || chance(condition_.loss)) continue;
        const std::vector<std::uint8_t> bytes(buffer.begin(), buffer.begin() + size);
        schedule(toTarget, bytes, nowMs);
        if (chance(condition_.duplicate)) schedule(toTarget, bytes, nowMs);
    }
}

void NetRelay::schedule(bool toTarget, const std::vector<std::uint8_t>& bytes, std::int64_t nowMs) {
    std::int64_t due = nowMs + condition_.delayMs +
                       std::uniform_int_distribution<int>(-condition_.jitterMs, condition_.jitterMs)(random_);
    if (chance(condition_.reorder)) due += condition_.delayMs;
    queue_.push({std::max(due, nowMs), sent_++, toTarget, bytes});
}
