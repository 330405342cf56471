#pragma once

// How well the computer plays. Levels differ in how soon it answers what it
// sees, how far off its guess of the disc's path and its aim are, how often
// it dashes and how it picks its throws.
struct ComputerLevel {
    const char* name;
    int reactionMs;          // from what it sees to its first answer
    double straightError;    // off the path of a disc coming straight on, in world units, once per throw
    double guessError;       // off the path of a disc crossing the whole width
    double aimErrorDegrees;  // off its aim, once per throw
    double dashChance;       // that it dashes when walking would be late
    bool readsOpponent;      // aims away from where the other robot stands
    int shortestHoldMs;      // how long it keeps a caught disc
    int longestHoldMs;
};

enum ComputerLevelIndex : int { LevelEasy = 0, LevelNormal, LevelHard, LevelExpert, COMPUTER_LEVEL_COUNT };

inline constexpr ComputerLevel COMPUTER_LEVELS[COMPUTER_LEVEL_COUNT] = {
    {"Easy", 450, 1.2, 12.0, 15.0, 0.1, false, 350, 1400},
    {"Normal", 320, 0.3, 5.0, 8.0, 0.3, false, 350, 1400},
    {"Hard", 230, 0.12, 2.0, 4.0, 0.5, true, 330, 1200},
    {"Expert", 180, 0.05, 1.4, 2.0, 0.7, true, 320, 1000},
};

// Nobody answers sooner than this, whatever the level.
constexpr int SHORTEST_REACTION_MS = 150;
