#pragma once

#include "net/OnlineSession.h"
#include "support/NetRelay.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

// Two online sessions on this machine, the joiner reaching the host through
// a NetRelay, updated in turn on one virtual clock so that minutes of play
// pass in seconds. Each side holds seeded random controls and keeps the
// checksum of every step it confirmed.
class OnlinePair {
public:
    static constexpr int HOST = 0;
    static constexpr int JOIN = 1;
    static constexpr int DEFAULT_TICK_MS = 5;

    // The greeting goes through the relay unspoilt but for the delay; the
    // whole condition holds from the start of the match.
    OnlinePair(const NetCondition& condition, std::uint32_t seed, const std::string& hostVersion = "1.0",
               const std::string& joinVersion = "1.0");

    bool ready() const { return sessions_[HOST] && sessions_[JOIN] && relay_ && relay_->ready(); }
    OnlineSession& host() { return *sessions_[HOST]; }
    OnlineSession& join() { return *sessions_[JOIN]; }
    OnlineSession& side(int which) { return *sessions_[which]; }
    NetRelay& relay() { return *relay_; }
    std::int64_t nowMs() const { return nowMs_; }

    // The side is no longer updated and nothing goes through any more.
    void kill(int which);

    void tick(int tickMs = DEFAULT_TICK_MS);
    // Ticks until done, or until limitMs of the clock passed; whether done.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs, int tickMs = DEFAULT_TICK_MS);
    // Greets, locks the first robot for the host and the second for the joiner.
    bool startMatch();

    // The checksum of the match after each confirmed step, by step.
    const std::vector<std::uint64_t>& confirmed(int which) const { return confirmed_[which]; }

private:
    std::unique_ptr<NetRelay> relay_;
    std::array<std::unique_ptr<OnlineSession>, 2> sessions_;
    std::array<std::vector<std::uint64_t>, 2> confirmed_;
    std::array<std::uint8_t, 2> held_{};
    std::array<bool, 2> alive_{true, true};
    NetCondition condition_;
    std::mt19937 random_;
    std::int64_t nowMs_ = 0;
};
