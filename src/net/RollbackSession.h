#pragma once

#include "input/ControlState.h"
#include "match/MatchEvents.h"
#include "match/MatchState.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Online matches step at 60 steps a second in whole milliseconds, the same
// pattern on both machines: 16, 17, 17, then again.
int onlineStepMs(int step);

// Bit of a side's held controls that asks for the pause; bits 0 to 5 are
// the six controls, by ControlKind.
constexpr std::uint8_t PAUSE_HELD_BIT = 1u << CONTROL_KIND_COUNT;

// An online match on one machine: stepped at once with this side's controls
// and a guess of the other side's (the last ones known, repeated), and
// stepped again from the first step whose guess was wrong as soon as the
// real ones arrive. What a step causes is heard once, however often the step
// runs. A pause asked for at a step stops both sides after that step.
class RollbackSession {
public:
    // The other side's controls are guessed this many steps at most; past
    // that the match waits for them.
    static constexpr int PREDICTION_STEPS = 8;
    // States, controls and what was heard are kept for this many steps.
    static constexpr int RING_STEPS = 32;

    using Heard = std::function<void(const MatchEvents&)>;
    // A step whose controls are known from both sides and that ran with
    // them: its milliseconds, the controls it read and the match after it.
    using Confirmed = std::function<void(int step, int elapsedMs, const ControlStates& read, const MatchState& after)>;

    RollbackSession(const MatchState& start, int localPlayer);

    // This side's held controls for a step, given in step order from step 0.
    void setLocalHeld(int step, std::uint8_t held);
    // The other side's for a step; false when it is known already or too
    // far from the steps being played to keep.
    bool addRemoteHeld(int step, std::uint8_t held);
    std::optional<std::uint8_t> localHeld(int step) const;

    // Whether the next step may run now: this side's controls for it are
    // given, the guesses would not go past PREDICTION_STEPS, and no pause
    // stands.
    bool canAdvance() const;
    // Steps again from the first wrong guess, then one new step.
    void advance(const Heard& heard);
    // Steps again from the first wrong guess only.
    void catchUp(const Heard& heard);

    void onConfirmed(Confirmed confirmed) { confirmed_ = std::move(confirmed); }

    const MatchState& newest() const { return current_; }
    int nextStep() const { return nextStep_; }
    // The newest step up to which every one of the other side's steps is known; -1 for none.
    int remoteKnownThrough() const { return remoteKnown_; }
    // How many steps the last advance or catch-up stepped again.
    int lastRollback() const { return lastRollback_; }

    // The step after which the match stands paused, and the player whose
    // pause it is (the first player when both asked at once).
    std::optional<int> pausedAfter() const { return pausedAfter_; }
    int pausedBy() const { return pausedBy_; }
    void resume() { pausedAfter_.reset(); }

private:
    struct Slot {
        int step = -1;
        MatchState before;          // the match before this step
        ControlStates controlsBefore{};
        ControlStates read{};       // the controls this step read
        std::uint8_t remoteUsed = 0;  // the other side's controls it ran with, guessed or known
        int heardCount = 0;         // the one-off events already heard from this step
        std::array<std::pair<MatchEventKind, int>, MatchEvents::CAPACITY> heard{};
    };
    struct Held {
        int step = -1;
        std::uint8_t held = 0;
    };

    void runStep(const Heard& heard);
    void rollBack(const Heard& heard);
    void tellConfirmed();
    void hear(Slot& slot, const MatchEvents& events, bool newest, const Heard& heard);
    std::uint8_t remoteFor(int step) const;

    MatchState current_;
    ControlStates controls_{};  // the control states carried from step to step, presses used up
    int localPlayer_;
    int nextStep_ = 0;
    int remoteKnown_ = -1;
    int firstWrong_ = -1;
    int confirmedThrough_ = -1;
    int lastRollback_ = 0;
    int highestRun_ = -1;
    std::optional<int> pausedAfter_;
    int pausedBy_ = 0;
    std::array<Slot, RING_STEPS> slots_{};
    std::array<Held, RING_STEPS> local_{};
    std::array<Held, RING_STEPS> remote_{};
    // The one-off events heard from the steps a rollback runs again.
    std::vector<std::pair<MatchEventKind, int>> undone_;
    Confirmed confirmed_;
};
