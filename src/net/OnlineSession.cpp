#include "net/OnlineSession.h"

#include "platform/NetLink.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr double STEP_MS = 1000.0 / 60.0;
// A side more than this many steps ahead of the other runs its clock at
// SLOWED_PACE until the other catches up, so rollbacks stay short.
constexpr double AHEAD_SLACK_STEPS = 1.0;
constexpr double SLOWED_PACE = 0.9;
// How much each new reading moves the running estimate of who is ahead.
constexpr double ADVANTAGE_SMOOTHING = 0.1;
// After a stall (a window dragged, a slow disk) the match catches up at
// most this many steps in one update, then waits for the rest.
constexpr int MAX_STEPS_PER_UPDATE = 8;
constexpr std::int64_t LONGEST_FRAME_MS = 250;
constexpr int GO_BACK_ROW = 3;
constexpr int ROBOT_ROWS = 2;

const char* const CONNECTION_LOST = "connection lost";
const char* const OTHER_LEFT = "the other player left";
const char* const NO_ANSWER = "nobody answers there";
const char* const OUT_OF_STEP = "the two machines' matches went out of step; both keep the replay";

bool locksRobot(const NetPacket::ChoicePacket& choice) { return choice.locked && choice.row <= ROBOT_ROWS; }

}  // namespace

OnlineSession::OnlineSession(Role role, std::unique_ptr<NetLink> link, std::string gameVersion, int inputDelay)
    : role_(role),
      link_(std::move(link)),
      gameVersion_(std::move(gameVersion)),
      inputDelay_(std::clamp(inputDelay, 0, MAX_INPUT_DELAY)) {}

OnlineSession::~OnlineSession() = default;

void OnlineSession::update(std::int64_t nowMs, std::uint8_t held, const RollbackSession::Heard& heard) {
    if (startedAtMs_ < 0) {
        startedAtMs_ = nowMs;
        lastHeardMs_ = nowMs;
        lastUpdateMs_ = nowMs;
    }
    if (phase_ == Phase::Ended) {
        // The link still delivers this side's last words; nothing it brings matters now.
        NetLink::Event ignored;
        while (link_->poll(ignored)) {}
        return;
    }
    receive(nowMs, heard);
    if (phase_ == Phase::Ended) return;
    if (phase_ == Phase::Finished) {
        if (finishedAtMs_ < 0) finishedAtMs_ = nowMs;
        if (nowMs - finishedAtMs_ > FINISH_LINGER_MS) {
            end("", std::nullopt);
            return;
        }
    }

    const bool connected = link_->connected();
    if (phase_ == Phase::Connecting && !greeted_ && !connected && role_ == Role::Join &&
        nowMs - startedAtMs_ > CONNECT_LIMIT_MS) {
        end(NO_ANSWER, std::nullopt);
        return;
    }
    if ((connected || greeted_) && nowMs - lastHeardMs_ > SILENCE_LIMIT_MS) {
        end(phase_ == Phase::Finished ? "" : CONNECTION_LOST, std::nullopt);
        return;
    }
    if (phase_ == Phase::Playing) runDueSteps(nowMs, held, heard);
    lastUpdateMs_ = nowMs;
    if (phase_ == Phase::Playing || phase_ == Phase::Finished || nowMs - lastSentMs_ >= KEEP_ALIVE_MS)
        sendControls(nowMs);
    link_->flush();
}

void OnlineSession::receive(std::int64_t nowMs, const RollbackSession::Heard& heard) {
    NetLink::Event event;
    while (phase_ != Phase::Ended && link_->poll(event)) {
        switch (event.kind) {
            case NetLink::Event::Connected:
                lastHeardMs_ = nowMs;
                sendReliable(NetPacket::HelloPacket{NetPacket::PROTOCOL_VERSION, gameVersion_});
                break;
            case NetLink::Event::Disconnected:
                // A joiner that gives up before greeting leaves the host waiting for the next one.
                if (role_ == Role::Host && phase_ == Phase::Connecting) break;
                end(phase_ == Phase::Finished ? "" : OTHER_LEFT, std::nullopt);
                break;
            case NetLink::Event::Received: {
                const auto message = NetPacket::decode(event.bytes.data(), event.bytes.size());
                if (!message) {
                    ++stats_.packetsDropped;
                    break;
                }
                lastHeardMs_ = nowMs;
                take(*message, nowMs);
                break;
            }
        }
    }
    // Corrections that arrived are stepped in at once, even with no step due.
    if (rollback_ && phase_ == Phase::Playing) {
        rollback_->catchUp(heard);
        const int length = rollback_->lastRollback();
        ++stats_.rollbacks[std::min(length, RollbackSession::RING_STEPS)];
        stats_.longestRollback = std::max(stats_.longestRollback, length);
    }
}

void OnlineSession::take(const NetPacket::Message& message, std::int64_t nowMs) {
    using namespace NetPacket;
    switch (message.kind) {
        case Hello:
            if (message.hello.protocol != PROTOCOL_VERSION || message.hello.gameVersion != gameVersion_) {
                std::string text = "the other side runs version " + message.hello.gameVersion;
                if (message.hello.gameVersion == gameVersion_)
                    text += " with network protocol " + std::to_string(message.hello.protocol);
                end(text, VersionMismatch);
            } else if (phase_ == Phase::Connecting) {
                greeted_ = true;
                phase_ = Phase::Choosing;
            }
            break;
        case Choice:
            if (phase_ != Phase::Choosing) break;
            otherChoice_ = message.choice;
            choose(ownChoice_.row, ownChoice_.locked);
            break;
        case Start:
            if (phase_ == Phase::Choosing && role_ == Role::Join)
                startMatch(message.start.robot1, message.start.robot2, nowMs);
            break;
        case Controls: takeControls(message.controls, nowMs); break;
        case Checksum: takeChecksum(static_cast<int>(message.checksum.step), message.checksum.value, false); break;
        case Resume:
            resumedAfter_ = std::max(resumedAfter_, static_cast<int>(std::min<std::uint32_t>(message.resume.step, INT32_MAX)));
            break;
        case Leave:
            if (phase_ == Phase::Finished) end("", std::nullopt);
            else if (message.leave.reason == OutOfStep) end(OUT_OF_STEP, std::nullopt);
            else if (message.leave.reason == VersionMismatch) end("the other side runs another version", std::nullopt);
            else end(OTHER_LEFT, std::nullopt);
            break;
    }
}

void OnlineSession::takeControls(const NetPacket::ControlsPacket& packet, std::int64_t nowMs) {
    echoMs_ = packet.sentAtMs;
    echoReceivedMs_ = nowMs;
    if (packet.echoedMs != 0) {
        const std::int64_t roundTrip = (nowMs - startedAtMs_ + 1) - packet.echoedMs - packet.echoHeldMs;
        if (roundTrip >= 0 && roundTrip <= SILENCE_LIMIT_MS) roundTripMs_ = static_cast<int>(roundTrip);
    }
    if (!rollback_) return;
    localAcknowledged_ = std::max(localAcknowledged_, packet.acknowledged);
    if (static_cast<int>(packet.senderStep) >= otherStep_) {
        otherStep_ = static_cast<int>(packet.senderStep);
        otherStepHeardMs_ = nowMs;
    }
    for (std::size_t i = 0; i < packet.held.size(); ++i)
        rollback_->addRemoteHeld(static_cast<int>(packet.firstStep + i), packet.held[i]);
}

void OnlineSession::takeChecksum(int step, std::uint64_t value, bool own) {
    (own ? ownChecksums_ : otherChecksums_)[step] = value;
    const auto mine = ownChecksums_.find(step);
    const auto theirs = otherChecksums_.find(step);
    if (mine == ownChecksums_.end() || theirs == otherChecksums_.end()) return;
    const bool same = mine->second == theirs->second;
    ++stats_.checksumsCompared;
    ownChecksums_.erase(ownChecksums_.begin(), std::next(mine));
    otherChecksums_.erase(otherChecksums_.begin(), std::next(theirs));
    if (!same) end(OUT_OF_STEP, NetPacket::OutOfStep);
}

void OnlineSession::choose(int row, bool locked) {
    if (phase_ != Phase::Choosing) return;
    const NetPacket::ChoicePacket choice{static_cast<std::uint8_t>(std::clamp(row, 1, GO_BACK_ROW)), locked};
    if (choice.row != ownChoice_.row || choice.locked != ownChoice_.locked) {
        ownChoice_ = choice;
        sendReliable(ownChoice_);
    }
    // The host starts the match, so that both sides start it with the same robots.
    if (role_ == Role::Host && locksRobot(ownChoice_) && locksRobot(otherChoice_)) {
        const NetPacket::StartPacket start{static_cast<std::uint8_t>(ownChoice_.row - 1),
                                           static_cast<std::uint8_t>(otherChoice_.row - 1)};
        sendReliable(start);
        startMatch(start.robot1, start.robot2, lastUpdateMs_);
    }
}

void OnlineSession::startMatch(int robot1, int robot2, std::int64_t nowMs) {
    robots_ = {robot1, robot2};
    startEvents_.clear();
    rollback_ = std::make_unique<RollbackSession>(MatchState::start(robot1, robot2, startEvents_), localPlayer());
    rollback_->onConfirmed([this](int step, int elapsedMs, const ControlStates& read, const MatchState& after) {
        if (confirmed_) confirmed_(step, elapsedMs, read, after);
        if (after.over && phase_ == Phase::Playing) phase_ = Phase::Finished;
        if (step > 0 && step % CHECKSUM_EVERY_STEPS == 0) {
            sendReliable(NetPacket::ChecksumPacket{static_cast<std::uint32_t>(step), after.checksum()});
            takeChecksum(step, after.checksum(), true);
        }
    });
    // This side's first steps go by before its first controls take effect.
    for (int step = 0; step < inputDelay_; ++step) rollback_->setLocalHeld(step, 0);
    newestLocal_ = inputDelay_ - 1;
    pendingMs_ = 0.0;
    lastUpdateMs_ = nowMs;
    phase_ = Phase::Playing;
}

void OnlineSession::runDueSteps(std::int64_t nowMs, std::uint8_t held, const RollbackSession::Heard& heard) {
    RollbackSession& session = *rollback_;
    if (session.pausedAfter() && *session.pausedAfter() <= resumedAfter_) session.resume();
    if (session.pausedAfter()) {
        pendingMs_ = 0.0;
        return;
    }
    ++stats_.frames;
    if (otherStepHeardMs_ >= 0) {
        const double otherNow =
            otherStep_ + (static_cast<double>(nowMs - otherStepHeardMs_) + std::max(roundTripMs_, 0) / 2.0) / STEP_MS;
        advantage_ += ADVANTAGE_SMOOTHING * ((session.nextStep() - otherNow) - advantage_);
    }
    double frameMs = static_cast<double>(std::min(nowMs - lastUpdateMs_, LONGEST_FRAME_MS));
    if (advantage_ > AHEAD_SLACK_STEPS) frameMs *= SLOWED_PACE;
    pendingMs_ += frameMs;

    // A key tapped between two steps still reaches the next one.
    heldSinceStep_ |= held;
    bool waited = false;
    for (int ran = 0; ran < MAX_STEPS_PER_UPDATE && pendingMs_ >= onlineStepMs(session.nextStep()); ++ran) {
        const int newest = session.nextStep() + inputDelay_;
        if (newest > newestLocal_) {
            std::uint8_t own = heldSinceStep_ & (PAUSE_HELD_BIT - 1);
            if (pauseAsked_) own |= PAUSE_HELD_BIT;
            pauseAsked_ = false;
            session.setLocalHeld(newest, own);
            newestLocal_ = newest;
            heldSinceStep_ = held;
        }
        if (!session.canAdvance()) {
            waited = !session.pausedAfter().has_value();
            break;
        }
        pendingMs_ -= onlineStepMs(session.nextStep());
        session.advance(heard);
        const int length = session.lastRollback();
        ++stats_.rollbacks[std::min(length, RollbackSession::RING_STEPS)];
        stats_.longestRollback = std::max(stats_.longestRollback, length);
        if (session.pausedAfter()) break;
    }
    if (waited) {
        ++stats_.waitedFrames;
        // Waiting does not bank time to race through later.
        pendingMs_ = std::min(pendingMs_, static_cast<double>(onlineStepMs(session.nextStep())));
    }
    if (session.pausedAfter()) pendingMs_ = 0.0;
}

void OnlineSession::sendControls(std::int64_t nowMs) {
    NetPacket::ControlsPacket packet;
    packet.sentAtMs = static_cast<std::uint32_t>(nowMs - startedAtMs_ + 1);
    if (echoReceivedMs_ >= 0) {
        packet.echoedMs = echoMs_;
        packet.echoHeldMs = static_cast<std::uint16_t>(std::min<std::int64_t>(nowMs - echoReceivedMs_, UINT16_MAX));
    }
    if (rollback_) {
        packet.acknowledged = rollback_->remoteKnownThrough();
        packet.senderStep = static_cast<std::uint32_t>(rollback_->nextStep());
        int first = std::max(localAcknowledged_ + 1,
                             newestLocal_ - static_cast<int>(NetPacket::MAX_STEPS_PER_PACKET) + 1);
        while (first <= newestLocal_ && !rollback_->localHeld(first)) ++first;
        packet.firstStep = static_cast<std::uint32_t>(std::max(first, 0));
        for (int step = first; step <= newestLocal_; ++step) packet.held.push_back(*rollback_->localHeld(step));
    }
    const std::vector<std::uint8_t> bytes = NetPacket::encode(packet);
    link_->send(NetLink::Channel::Unreliable, bytes.data(), bytes.size());
    lastSentMs_ = nowMs;
}

template <class Packet>
void OnlineSession::sendReliable(const Packet& packet) {
    const std::vector<std::uint8_t> bytes = NetPacket::encode(packet);
    link_->send(NetLink::Channel::Reliable, bytes.data(), bytes.size());
}

std::optional<int> OnlineSession::pausedBy() const {
    if (!rollback_ || !rollback_->pausedAfter()) return std::nullopt;
    return rollback_->pausedBy();
}

void OnlineSession::resume() {
    if (!rollback_ || !rollback_->pausedAfter() || phase_ != Phase::Playing) return;
    if (rollback_->pausedBy() != localPlayer()) return;
    sendReliable(NetPacket::ResumePacket{static_cast<std::uint32_t>(*rollback_->pausedAfter())});
    link_->flush();
    resumedAfter_ = std::max(resumedAfter_, *rollback_->pausedAfter());
    rollback_->resume();
}

void OnlineSession::leave() {
    if (phase_ == Phase::Ended) return;
    end("", NetPacket::LeftMatch);
}

void OnlineSession::end(std::string text, std::optional<NetPacket::LeaveReason> tellOther) {
    if (phase_ == Phase::Ended) return;
    if (tellOther) sendReliable(NetPacket::LeavePacket{*tellOther});
    link_->close();
    endText_ = std::move(text);
    phase_ = Phase::Ended;
}
