#pragma once

#include "input/ControlState.h"

#include <cstddef>
#include <memory>
#include <string>

class ReplayWriter;
struct MatchPlayers;
struct MatchState;

// Records the match being played into a new replay file, step by step as
// it goes. A folder that cannot be written costs the replay, never the match.
class MatchRecorder {
public:
    // Where replays are kept; nothing is recorded while it is empty.
    static std::string folder;

    MatchRecorder();
    ~MatchRecorder();

    void start(const MatchState& match, const MatchPlayers& players);
    // One step: its milliseconds and the controls as the step read them,
    // then the match after it.
    void record(int elapsedMs, const ControlStates& controls, const MatchState& after);
    void stop();
    bool recording() const;

private:
    std::unique_ptr<ReplayWriter> writer_;
    std::size_t steps_ = 0;
};
