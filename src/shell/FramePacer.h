#pragma once

#include <cstdint>

// When the next frame may start: one picture per display refresh. The loop
// waits out the rest of the refresh period itself rather than drawing
// pictures nobody sees; after a swap long enough to have waited for the
// refresh (vsync) it waits a little less, so that a true vsync never loses
// a refresh to that wait.
class FramePacer {
public:
    static constexpr int DEFAULT_REFRESH_HZ = 60;

    // The display's rate in Hz; 0 when unknown.
    explicit FramePacer(int refreshHz);

    std::int64_t periodMicroseconds() const { return periodUs_; }
    // The moment, on the microsecond clock, the next frame may start, given
    // when this one started and its present's swap: a period later, or a
    // little sooner when vsync was asked for and the swap took a good part of
    // the period, since it then may have waited for the refresh.
    std::int64_t nextFrameStart(std::int64_t frameStartUs, bool vsync, std::int64_t swapUs) const;

private:
    std::int64_t periodUs_;
};
