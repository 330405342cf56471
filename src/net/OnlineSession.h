#pragma once

#include "match/MatchState.h"
#include "net/NetPacket.h"
#include "net/RollbackSession.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

class NetLink;

// How an online match went, for the benchmark and the tests.
struct OnlineStats {
    int frames = 0;           // updates while the match ran and was not paused
    int waitedFrames = 0;     // of those, updates where a step was due but the other side's controls were too late
    int longestRollback = 0;  // steps stepped again at once, at most
    std::array<int, RollbackSession::RING_STEPS + 1> rollbacks{};  // how often each length of rollback happened
    int checksumsCompared = 0;
    int packetsDropped = 0;   // packets that could not be read
};

// One side of an online game over a NetLink: the greeting that checks both
// run the same version, the characters page's choices, then the match,
// stepped at 60 steps a second with rollback. It keeps the two sides' clocks
// together, compares checksums every CHECKSUM_EVERY_STEPS, pauses both sides
// at the same step and notices when the other side is gone. Time comes from
// the caller, so tests and the benchmark can run it faster than the clock.
class OnlineSession {
public:
    enum class Role { Host, Join };
    enum class Phase {
        Connecting,  // waiting for the other side to appear and greet
        Choosing,    // both greeted: the characters page
        Playing,     // the match runs, or stands paused
        Finished,    // the match was played out; the other side is helped to see its end too
        Ended,       // over; endText says why, empty when this side left or all went well
    };

    static constexpr std::uint16_t DEFAULT_PORT = 7788;
    static constexpr int DEFAULT_INPUT_DELAY = 2;
    static constexpr int MAX_INPUT_DELAY = 8;
    static constexpr std::int64_t SILENCE_LIMIT_MS = 3000;
    static constexpr std::int64_t CONNECT_LIMIT_MS = 10000;
    static constexpr int CHECKSUM_EVERY_STEPS = 60;
    static constexpr std::int64_t KEEP_ALIVE_MS = 100;
    // After the match is played out this side keeps answering this long,
    // so that the other side has every control it needs to see the end.
    static constexpr std::int64_t FINISH_LINGER_MS = 2000;

    OnlineSession(Role role, std::unique_ptr<NetLink> link, std::string gameVersion,
                  int inputDelay = DEFAULT_INPUT_DELAY);
    ~OnlineSession();

    // Takes what arrived, runs the steps due by nowMs (a clock in
    // milliseconds that never goes back) with this side's held controls, and
    // sends what is due. What the steps cause and nobody heard yet goes to heard.
    // Once ended, updates only let the other side hear why; keep them
    // coming for a moment rather than destroying the session at once.
    void update(std::int64_t nowMs, std::uint8_t held, const RollbackSession::Heard& heard);

    Role role() const { return role_; }
    int localPlayer() const { return role_ == Role::Host ? 1 : 2; }
    Phase phase() const { return phase_; }
    const std::string& endText() const { return endText_; }
    const NetLink& link() const { return *link_; }

    // The characters page: this side's row and lock, and the other's.
    void choose(int row, bool locked);
    const NetPacket::ChoicePacket& otherChoice() const { return otherChoice_; }

    // The match, set from the start until the session is gone.
    const MatchState& match() const { return rollback_ ? rollback_->newest() : idleMatch_; }
    bool matchStarted() const { return rollback_ != nullptr; }
    // The robots of players 1 and 2, and what the start caused.
    std::array<int, 2> robots() const { return robots_; }
    const MatchEvents& startEvents() const { return startEvents_; }
    void onConfirmed(RollbackSession::Confirmed confirmed) { confirmed_ = std::move(confirmed); }

    // The pause control was pressed: the next step of this side asks for it.
    void askPause() { pauseAsked_ = true; }
    std::optional<int> pausedBy() const;
    // The player who paused goes on, on both sides.
    void resume();
    // This side leaves: the other is told, and the session ends without a text.
    void leave();

    // The round trip in milliseconds; -1 until one was measured.
    int roundTripMs() const { return roundTripMs_; }
    const OnlineStats& stats() const { return stats_; }

private:
    void receive(std::int64_t nowMs, const RollbackSession::Heard& heard);
    void take(const NetPacket::Message& message, std::int64_t nowMs);
    void takeControls(const NetPacket::ControlsPacket& packet, std::int64_t nowMs);
    void takeChecksum(int step, std::uint64_t value, bool own);
    void startMatch(int robot1, int robot2, std::int64_t nowMs);
    void runDueSteps(std::int64_t nowMs, std::uint8_t held, const RollbackSession::Heard& heard);
    void sendControls(std::int64_t nowMs);
    template <class Packet>
    void sendReliable(const Packet& packet);
    void end(std::string text, std::optional<NetPacket::LeaveReason> tellOther);

    Role role_;
    std::unique_ptr<NetLink> link_;
    std::string gameVersion_;
    int inputDelay_;
    Phase phase_ = Phase::Connecting;
    std::string endText_;
    std::int64_t startedAtMs_ = -1;
    std::int64_t finishedAtMs_ = -1;
    std::int64_t lastHeardMs_ = 0;
    std::int64_t lastSentMs_ = 0;
    std::int64_t lastUpdateMs_ = -1;
    bool greeted_ = false;

    NetPacket::ChoicePacket ownChoice_;
    NetPacket::ChoicePacket otherChoice_;

    MatchState idleMatch_;
    std::unique_ptr<RollbackSession> rollback_;
    std::array<int, 2> robots_{};
    MatchEvents startEvents_;
    RollbackSession::Confirmed confirmed_;
    double pendingMs_ = 0.0;
    bool pauseAsked_ = false;
    std::uint8_t heldSinceStep_ = 0;  // every control held since this side's last step was given
    int resumedAfter_ = -1;
    int newestLocal_ = -1;        // the newest step this side's controls are given for
    int localAcknowledged_ = -1;  // the newest of this side's steps the other has all of
    std::map<int, std::uint64_t> ownChecksums_;
    std::map<int, std::uint64_t> otherChecksums_;

    // Keeping the clocks together: the other's step as last heard, and when.
    int otherStep_ = 0;
    std::int64_t otherStepHeardMs_ = -1;
    double advantage_ = 0.0;
    std::uint32_t echoMs_ = 0;
    std::int64_t echoReceivedMs_ = -1;
    int roundTripMs_ = -1;

    OnlineStats stats_;
};
