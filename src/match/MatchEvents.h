#pragma once

#include <array>
#include <cstddef>

// What one step of a match causes for the eyes and ears. The game turns
// these into sounds and music after the step; a copy stepped for a
// prediction simply drops them.
enum class MatchEventKind : int {
    Dash,       // a robot starts a dash
    Throw,      // a robot lets go of a flat throw or a lob
    Catch,      // a robot catches the disc
    Running,    // a robot's running noise this step: its pitch, or still
    Rebound,    // the disc bounces off a side wall
    Goal,       // the disc crosses a goal line: points for player
    LobLanded,  // a lob lands: points for player
    Serve,      // the disc appears above a serve spot
    Message,    // a picture message starts: picture, durationMs
    SetWon,     // player wins a set
    MatchWon,   // player wins the match
    MatchOver,  // the last message is over: the main menu follows
};

struct MatchEvent {
    MatchEventKind kind = MatchEventKind::Serve;
    int player = 0;
    // Where it is heard, already in listener space.
    double soundX = 0.0;
    double soundY = 0.0;
    double soundZ = 0.0;
    double pitch = 0.0;  // Running: 0 when the robot stands still
    int points = 0;
    int picture = 0;  // Message: a MessagePicture
    int durationMs = 0;
};

// The events of one step, in the order they happened. Fixed room, so that
// stepping a match never allocates.
class MatchEvents {
public:
    static constexpr std::size_t CAPACITY = 32;

    void add(const MatchEvent& event) {
        if (count_ < CAPACITY) events_[count_++] = event;
    }
    // An event of one player, heard where given (at the listener by default).
    void add(MatchEventKind kind, int player, double soundX = 0.0, double soundY = 0.0) {
        MatchEvent event;
        event.kind = kind;
        event.player = player;
        event.soundX = soundX;
        event.soundY = soundY;
        add(event);
    }
    void clear() { count_ = 0; }
    std::size_t size() const { return count_; }
    const MatchEvent* begin() const { return events_.data(); }
    const MatchEvent* end() const { return events_.data() + count_; }

private:
    std::array<MatchEvent, CAPACITY> events_{};
    std::size_t count_ = 0;
};
