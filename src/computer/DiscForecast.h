#pragma once

#include "actors/Frisbee.h"

#include <array>
#include <cstddef>
#include <optional>

// Where the disc will go if nobody touches it: its own motion, run forward
// on a copy step by step as the match runs it, walls and landing included.
class DiscForecast {
public:
    static constexpr int STEP_MS = 16;
    static constexpr int HORIZON_MS = 3000;

    struct Point {
        double x, y, z;
        int inMs;   // from now
        int state;  // the disc's state there
    };

    explicit DiscForecast(const Frisbee& disc);

    // Where it first crosses x = lineX, and when; nothing if it does not
    // within the horizon or stops before (lands, scores, is served).
    std::optional<Point> crossing(double lineX) const;
    const Point* begin() const { return points_.data(); }
    const Point* end() const { return points_.data() + count_; }

private:
    static constexpr std::size_t CAPACITY = HORIZON_MS / STEP_MS;
    std::array<Point, CAPACITY> points_{};
    std::size_t count_ = 0;
};
