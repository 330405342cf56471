#include "computer/DiscForecast.h"

#include "match/MatchEvents.h"

DiscForecast::DiscForecast(const Frisbee& disc) {
    Frisbee copy = disc;
    MatchEvents ignored;
    points_[count_++] = {copy.x, copy.y, copy.z, 0, copy.state};
    // Only its flight is foreseen: a disc that is held, lies still or has
    // scored goes nowhere by itself.
    while (count_ < CAPACITY && (copy.state == FrisbeeGliding || copy.state == FrisbeeLobbed ||
                                 copy.state == FrisbeeDropping)) {
        ignored.clear();
        copy.update(STEP_MS, ignored);
        points_[count_] = {copy.x, copy.y, copy.z, static_cast<int>(count_) * STEP_MS, copy.state};
        ++count_;
    }
}

std::optional<DiscForecast::Point> DiscForecast::crossing(double lineX) const {
    for (std::size_t i = 1; i < count_; ++i) {
        const Point& a = points_[i - 1];
        const Point& b = points_[i];
        if ((a.x - lineX) * (b.x - lineX) > 0.0 || a.x == b.x) continue;
        // Straight between two steps, unless a wall came in between.
        const double f = (lineX - a.x) / (b.x - a.x);
        return Point{lineX, a.y + f * (b.y - a.y), a.z + f * (b.z - a.z),
                     a.inMs + static_cast<int>(f * (b.inMs - a.inMs)), b.state};
    }
    return std::nullopt;
}
