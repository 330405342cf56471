#pragma once

#include "match/MatchState.h"
#include "replay/Replay.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

class MatchEvents;

// What a replay comes to: the sets, the score that decided the last set (or
// stood when the match was left), and whether the match was played out.
struct ReplaySummary {
    std::array<int, 2> setsWon{};
    std::array<int, 2> score{};
    bool finished = false;
};

// Watches a recorded match: the recorded steps run on a match of its own as
// the watching time passes them, at the speed they were played or four
// times that, and each step's events are heard as they were.
class ReplayPlayback {
public:
    static constexpr int FAST_FACTOR = 4;

    // Hears each step's events, the first serve's included; a playback
    // without one is silent.
    using Listener = std::function<void(const MatchEvents&)>;

    explicit ReplayPlayback(Replay replay, Listener listener = nullptr);

    // The steps due in this much watching time; nothing while paused.
    void advance(int elapsedMs);
    // Runs the next recorded step; false when there is none.
    bool playStep();
    bool finished() const { return next_ >= replay_.steps.size(); }
    const MatchState& match() const { return match_; }
    const Replay& replay() const { return replay_; }
    // The first recorded checksum this game does not reproduce: the number of
    // steps after which it was taken.
    std::optional<std::size_t> partedAfter() const { return partedAfter_; }
    // How many recorded checksums the steps so far were compared with.
    std::size_t checksumsCompared() const { return nextChecksum_; }

    static ReplaySummary summarize(const Replay& replay);

    bool paused = false;
    bool fast = false;

private:
    Replay replay_;
    Listener listener_;
    MatchState match_;
    std::size_t next_ = 0;
    std::size_t nextChecksum_ = 0;
    long long dueMs_ = 0;  // watching time not yet played
    std::optional<std::size_t> partedAfter_;
};
