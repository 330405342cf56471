#include "net/RollbackSession.h"

#include "input/PressRules.h"

#include <algorithm>

namespace {

constexpr int STEP_PATTERN_MS[] = {16, 17, 17};
constexpr std::uint8_t CONTROL_BITS = PAUSE_HELD_BIT - 1;

}  // namespace

int onlineStepMs(int step) { return STEP_PATTERN_MS[step % 3]; }

RollbackSession::RollbackSession(const MatchState& start, int localPlayer)
    : current_(start), localPlayer_(localPlayer) {
    undone_.reserve(static_cast<std::size_t>(RING_STEPS) * MatchEvents::CAPACITY);
    // A button held as the match starts counts only once it is let go, as
    // with the keys on one machine.
    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        controls_[controlIndex(Action1, player)] = Consumed;
        controls_[controlIndex(Action2, player)] = Consumed;
    }
}

void RollbackSession::setLocalHeld(int step, std::uint8_t held) { local_[step % RING_STEPS] = {step, held}; }

std::optional<std::uint8_t> RollbackSession::localHeld(int step) const {
    if (step < 0) return std::nullopt;
    const Held& entry = local_[step % RING_STEPS];
    if (entry.step != step) return std::nullopt;
    return entry.held;
}

bool RollbackSession::addRemoteHeld(int step, std::uint8_t held) {
    if (step <= remoteKnown_ || step < nextStep_ - RING_STEPS / 2 || step > nextStep_ + RING_STEPS / 2) return false;
    Held& entry = remote_[step % RING_STEPS];
    if (entry.step == step) return false;
    entry = {step, held};
    while (remote_[(remoteKnown_ + 1) % RING_STEPS].step == remoteKnown_ + 1) ++remoteKnown_;
    if (step < nextStep_) {
        const Slot& slot = slots_[step % RING_STEPS];
        if (slot.step == step && slot.remoteUsed != held)
            firstWrong_ = firstWrong_ < 0 ? step : std::min(firstWrong_, step);
    }
    return true;
}

std::uint8_t RollbackSession::remoteFor(int step) const {
    const Held& entry = remote_[step % RING_STEPS];
    if (entry.step == step) return entry.held;
    if (remoteKnown_ < 0) return 0;
    // A guess never pauses: only a real press does.
    return remote_[remoteKnown_ % RING_STEPS].held & CONTROL_BITS;
}

bool RollbackSession::canAdvance() const {
    return !pausedAfter_ && localHeld(nextStep_).has_value() && nextStep_ - remoteKnown_ <= PREDICTION_STEPS;
}

void RollbackSession::advance(const Heard& heard) {
    rollBack(heard);
    if (canAdvance()) runStep(heard);
    undone_.clear();
    tellConfirmed();
}

void RollbackSession::catchUp(const Heard& heard) {
    rollBack(heard);
    undone_.clear();
    tellConfirmed();
}

void RollbackSession::rollBack(const Heard& heard) {
    lastRollback_ = 0;
    if (firstWrong_ < 0) return;
    const int last = nextStep_ - 1;
    const Slot& first = slots_[firstWrong_ % RING_STEPS];
    current_ = first.before;
    controls_ = first.controlsBefore;
    nextStep_ = firstWrong_;
    firstWrong_ = -1;
    // What the undone steps caused was heard; caused again by any step of
    // this run, a step earlier or later, it is not heard twice.
    for (int step = nextStep_; step <= last; ++step) {
        Slot& slot = slots_[step % RING_STEPS];
        undone_.insert(undone_.end(), slot.heard.begin(), slot.heard.begin() + slot.heardCount);
        slot.heardCount = 0;
    }
    // A pause stands only where a real press of it is found again.
    if (pausedAfter_ && *pausedAfter_ >= nextStep_) pausedAfter_.reset();
    while (nextStep_ <= last && !pausedAfter_) {
        runStep(heard);
        ++lastRollback_;
    }
}

void RollbackSession::runStep(const Heard& heard) {
    const int step = nextStep_;
    Slot& slot = slots_[step % RING_STEPS];
    if (slot.step != step) {
        slot.step = step;
        slot.heardCount = 0;
    }
    slot.before = current_;
    slot.controlsBefore = controls_;
    const std::uint8_t local = localHeld(step).value_or(0);
    const std::uint8_t remote = remoteFor(step);
    slot.remoteUsed = remote;
    const std::uint8_t held1 = localPlayer_ == 1 ? local : remote;
    const std::uint8_t held2 = localPlayer_ == 1 ? remote : local;
    combineHeld(held1 & CONTROL_BITS, 1, controls_);
    combineHeld(held2 & CONTROL_BITS, 2, controls_);
    controls_[PAUSE_CONTROL] = Released;
    slot.read = controls_;
    MatchEvents events;
    current_.step(onlineStepMs(step), controls_, events);
    ++nextStep_;
    hear(slot, events, step >= highestRun_, heard);
    highestRun_ = std::max(highestRun_, step);
    if ((held1 | held2) & PAUSE_HELD_BIT) {
        pausedAfter_ = step;
        pausedBy_ = held1 & PAUSE_HELD_BIT ? 1 : 2;
    }
}

void RollbackSession::hear(Slot& slot, const MatchEvents& events, bool newest, const Heard& heard) {
    MatchEvents fresh;
    for (const MatchEvent& event : events) {
        // The running noise follows the newest state; only it is heard.
        if (event.kind == MatchEventKind::Running) {
            if (newest) fresh.add(event);
            continue;
        }
        const std::pair<MatchEventKind, int> key{event.kind, event.player};
        const auto already = std::find(undone_.begin(), undone_.end(), key);
        if (already != undone_.end()) {
            *already = undone_.back();
            undone_.pop_back();
        } else {
            fresh.add(event);
        }
        if (slot.heardCount < static_cast<int>(MatchEvents::CAPACITY)) slot.heard[slot.heardCount++] = key;
    }
    if (fresh.size() > 0 && heard) heard(fresh);
}

void RollbackSession::tellConfirmed() {
    const int through = std::min(remoteKnown_, nextStep_ - 1);
    for (int step = confirmedThrough_ + 1; step <= through; ++step) {
        const Slot& slot = slots_[step % RING_STEPS];
        const MatchState& after = step + 1 < nextStep_ ? slots_[(step + 1) % RING_STEPS].before : current_;
        if (confirmed_) confirmed_(step, onlineStepMs(step), slot.read, after);
        confirmedThrough_ = step;
    }
}
