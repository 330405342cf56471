#include "match/ReplayPlayback.h"

#include "match/HeldControls.h"
#include "match/MatchEvents.h"

#include <utility>

namespace {
MatchState startOf(const ReplayHeader& header, const ReplayPlayback::Listener& listener) {
    MatchEvents events;
    MatchState match = MatchState::start(header.robots[0], header.robots[1], events);
    if (listener) listener(events);
    return match;
}
}  // namespace

ReplayPlayback::ReplayPlayback(Replay replay, Listener listener)
    : replay_(std::move(replay)), listener_(std::move(listener)), match_(startOf(replay_.header, listener_)) {}

void ReplayPlayback::advance(int elapsedMs) {
    if (paused) return;
    dueMs_ += static_cast<long long>(elapsedMs) * (fast ? FAST_FACTOR : 1);
    while (!finished() && replay_.steps[next_].elapsedMs <= dueMs_) {
        dueMs_ -= replay_.steps[next_].elapsedMs;
        playStep();
    }
    // Nothing left to wait for: time does not pile up behind the end.
    if (finished()) dueMs_ = 0;
}

bool ReplayPlayback::playStep() {
    if (finished()) return false;
    const ReplayStep& step = replay_.steps[next_++];
    ControlStates controls = controlsFromMask(step.held);
    MatchEvents events;
    match_.step(step.elapsedMs, controls, events);
    if (listener_) listener_(events);

    const auto& checksums = replay_.checksums;
    while (nextChecksum_ < checksums.size() && checksums[nextChecksum_].afterSteps <= next_) {
        const ReplayChecksum& recorded = checksums[nextChecksum_++];
        if (recorded.afterSteps == next_ && recorded.value != match_.checksum() && !partedAfter_)
            partedAfter_ = next_;
    }
    return true;
}

ReplaySummary ReplayPlayback::summarize(const Replay& replay) {
    // Only the outcome counts here: checking the checksums would cost more
    // than the steps themselves.
    Replay outcome = replay;
    outcome.checksums.clear();
    ReplayPlayback playback(std::move(outcome));
    ReplaySummary summary;
    std::array<int, 2> decided{};
    bool setDecided = false;
    for (std::array<int, 2> before = playback.match().score; playback.playStep();
         before = playback.match().score) {
        // A set's last score is wiped in the step that awards the set.
        if (playback.match().setsWon != summary.setsWon) {
            decided = before;
            setDecided = true;
            summary.setsWon = playback.match().setsWon;
        }
    }
    summary.finished = playback.match().over;
    summary.score = summary.finished && setDecided ? decided : playback.match().score;
    return summary;
}
