#pragma once

class MatchEvents;
class Sound;

// Turns what a match step caused into sound: each event plays its effect
// where the event says it is heard, and each robot's running noise follows
// its speed on a source of its own.
class MatchSounds {
public:
    // Registers the match's effects (each name once, whatever the match).
    void load();
    void play(const MatchEvents& events) const;

private:
    void run(int player, double x, double y, double pitch) const;

    Sound* bound_ = nullptr;
    Sound* goal_ = nullptr;
    Sound* lame_ = nullptr;
    Sound* engage_ = nullptr;
    Sound* throw_ = nullptr;
    Sound* move_ = nullptr;
    Sound* straf_ = nullptr;
    Sound* catch_ = nullptr;
};
