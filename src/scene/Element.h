#pragma once

// Root of everything the game draws and moves. The three operations keep
// their slot order: draw, update, reserved; subclasses add theirs after.
class Element {
public:
    virtual ~Element() = default;
    virtual void draw() = 0;
    virtual void update(int elapsedMs) = 0;
    virtual void reserved(int) {}
};

// Every velocity is in units per 500 ms: a position moves by
// elapsedMs × velocity / VELOCITY_TIME_UNIT.
constexpr double VELOCITY_TIME_UNIT = 500.0;
