#pragma once

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "input/ControlState.h"

#include <array>
#include <cstdint>

class MatchEvents;

// Where a match stands; acted on when a picture message ends.
enum MatchFlow : int {
    FlowPlaying = 0,     // ordinary play, or a goal message is showing
    FlowSetWon = 1,      // a player has just reached the set's point limit
    FlowMatchWon = 2,    // a player has won the match
    FlowBackToMenu = 3,  // the match-won message is showing; the main menu follows
    FlowTimeUp = 4,      // the set clock ran out
    FlowNextSet = 5,     // a set ended on time; play resumes when its message ends
};

// The pictures a message can show over the match.
enum MessagePicture : int {
    NoPicture = 0,
    Picture5Points,
    Picture3Points,
    Picture2Points,
    PictureP1WonSet,
    PictureP2WonSet,
    PictureP1WonGame,
    PictureP2WonGame,
    PictureDraw,
    PictureTimesUp,
    MESSAGE_PICTURE_COUNT,
};

// The registry name of a message picture; nullptr for NoPicture.
const char* messagePictureName(int picture);

constexpr int SET_TIME_MS = 99000;
constexpr int SET_POINTS = 20;
constexpr int SETS_TO_WIN = 2;
constexpr int GOAL_MESSAGE_MS = 1000;
constexpr int SET_MESSAGE_MS = 2000;
constexpr int MATCH_MESSAGE_MS = 3000;

// A picture message over the match; while one shows the match stands still.
struct MatchMessage {
    bool shown = false;
    int picture = NoPicture;
    int durationMs = 0;
    int remainingMs = 0;
};

// A whole match as one plain value: both robots, the disc, scores, sets,
// the set clock, the flow and the message on screen. Copying it is one
// assignment; step() is the only way it moves on, and the same controls
// and milliseconds always give the same bits.
struct MatchState {
    // A match of two robot models, the disc dropping onto player 1's half.
    static MatchState start(int model1, int model2, MatchEvents& events);

    // One step: play, or the message counting down and what follows it.
    // The controls' presses that the robots act on are used up in place.
    void step(int elapsedMs, ControlStates& controls, MatchEvents& events);
    // Covers every field the rules read, field by field.
    std::uint64_t checksum() const;

    Robot robot1;
    Robot robot2;
    Frisbee frisbee;
    std::array<int, 2> score{};    // points of players 1 and 2 in this set
    std::array<int, 2> setsWon{};  // sets of players 1 and 2 in this match
    int flow = FlowPlaying;
    int timeLeft = SET_TIME_MS;
    MatchMessage message;
    bool over = false;  // the last message is over; the match is done

private:
    void play(int elapsedMs, ControlStates& controls, MatchEvents& events);
    void countDownMessage(int elapsedMs, MatchEvents& events);
    void showMessage(int picture, int durationMs, MatchEvents& events);
    void endSetOnTime(MatchEvents& events);
};
