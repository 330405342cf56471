#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <queue>
#include <random>
#include <vector>

// A non-blocking UDP socket on 127.0.0.1 at a port the system picks; -1 if none.
int openLoopbackSocket(std::uint16_t& port);

// What the relay does to each datagram, one way: a delay with a uniform
// jitter either side of it (which also lets datagrams overtake each other),
// and chances of losing, doubling or holding one back.
struct NetCondition {
    int delayMs = 0;
    int jitterMs = 0;
    double loss = 0.0;
    double duplicate = 0.0;
    double reorder = 0.0;  // held back by an extra delay so later ones pass it
};

// A UDP relay for tests and benchmarks on 127.0.0.1 only: the first address
// that writes to it becomes the client, whose datagrams go to the target
// port on 127.0.0.1 and whose answers come back, each spoilt as the
// condition says from a seed. Any other sender is dropped. Nothing moves
// unless pump() is called, with the same clock as the sessions.
class NetRelay {
public:
    NetRelay(std::uint16_t targetPort, const NetCondition& condition, std::uint32_t seed);
    ~NetRelay();
    NetRelay(const NetRelay&) = delete;
    NetRelay& operator=(const NetRelay&) = delete;

    bool ready() const { return front_ >= 0 && back_ >= 0; }
    std::uint16_t port() const { return port_; }
    void setCondition(const NetCondition& condition) { condition_ = condition; }
    // From now on nothing goes through either way, as when a side is killed.
    void cut();

    // Reads what has arrived and sends what is due by nowMs.
    void pump(std::int64_t nowMs);

    int strangersDropped() const { return strangersDropped_; }

private:
    struct Datagram {
        std::int64_t dueMs = 0;
        std::uint64_t order = 0;
        bool toTarget = false;
        std::vector<std::uint8_t> bytes;
        bool operator>(const Datagram& other) const {
            return dueMs != other.dueMs ? dueMs > other.dueMs : order > other.order;
        }
    };

    void receive(int socket, bool toTarget, std::int64_t nowMs);
    void schedule(bool toTarget, const std::vector<std::uint8_t>& bytes, std::int64_t nowMs);
    bool chance(double probability);

    int front_ = -1;  // faces the client
    int back_ = -1;   // faces the target
    std::uint16_t port_ = 0;
    sockaddr_in target_{};
    sockaddr_in client_{};
    bool hasClient_ = false;
    bool cut_ = false;
    NetCondition condition_;
    std::mt19937 random_;
    std::uint64_t sent_ = 0;
    int strangersDropped_ = 0;
    std::priority_queue<Datagram, std::vector<Datagram>, std::greater<Datagram>> queue_;
};
