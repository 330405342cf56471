#pragma once

#include "computer/ComputerLevel.h"
#include "computer/SeededRandom.h"
#include "input/ControlState.h"
#include "match/MatchState.h"

#include <array>
#include <cstddef>
#include <cstdint>

// One side played by the computer, through the same six controls a person's
// keys give. It sees what a player sees (where the disc and the robots are
// and how they move, the score, the clock), but as it was its reaction time
// ago, its own robot excepted; it makes its mistakes once per thing it sees
// happen, and holds its keys as a person would: at most eight changes of
// direction a second, each press held a while.
class ComputerPlayer {
public:
    ComputerPlayer(int player, int level, std::uint64_t seed);

    // What it holds this step, from the match as it stands: its side's six
    // controls, by the same press rules as keys; nothing else is written.
    void play(const MatchState& match, int elapsedMs, ControlStates& controls);
    // The presses the match used up stay used up while they are held.
    void keepUsedUp(const ControlStates& after);

    int player() const { return player_; }
    int level() const { return levelIndex_; }
    // What it holds now: bit k for ControlKind k.
    std::uint8_t held() const { return held_; }

private:
    // What it watches for: a change in any of these is something new to
    // judge, with a fresh mistake.
    struct Situation {
        int discState, owner, discDirectionX, discDirectionY;
        bool message;
        bool operator==(const Situation&) const = default;
    };
    struct Target {
        double x, y;
        bool dash;
    };
    struct Seen {
        int atMs;
        MatchState match;
    };

    // The match as it looked its reaction time ago.
    const MatchState& remember(const MatchState& match);
    Target catchTarget(const MatchState& seen, const Robot& me) const;
    void planThrow(const MatchState& match, const MatchState& seen);
    double throwValue(const MatchState& match, int candidate, double holdMs) const;
    std::uint8_t wanted(const MatchState& match, const MatchState& seen);
    void hold(std::uint8_t wanted);

    static constexpr std::size_t MEMORY = 64;

    int player_;
    int levelIndex_;
    const ComputerLevel& level_;
    SeededRandom random_;
    int nowMs_ = 0;
    std::array<Seen, MEMORY> memory_{};
    std::size_t remembered_ = 0;
    Situation situation_{};
    bool judged_ = false;
    // This situation's mistakes, drawn once.
    double guessSpread_ = 0.0;
    double dashRoll_ = 1.0;
    bool dashed_ = false;
    // The throw chosen for the disc it holds.
    bool throwChosen_ = false;
    std::uint8_t throwDirections_ = 0;
    bool lob_ = false;
    double releaseBelowHoldTime_ = 0.0;
    int lastThrow_ = -1;
    int sameThrows_ = 0;
    std::uint8_t held_ = 0;
    int directionsChangedAtMs_ = -1000;
    int actionPressedAtMs_ = -1000;
    int actionHoldMs_ = 0;
    ControlStates states_{};
};
