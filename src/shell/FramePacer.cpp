#include "shell/FramePacer.h"

namespace {

constexpr std::int64_t MICROSECONDS_PER_SECOND = 1000000;
// A swap this share of a period long or longer may have waited for the
// refresh; a swap that only copies the picture takes far less.
constexpr std::int64_t BLOCKING_SWAP_DIVISOR = 4;
// A long swap may also be a software renderer finishing the picture, with no
// refresh waited for at all; so even then the next frame waits out the period,
// less this share of it, which a true vsync's frame starts never fall short of.
constexpr std::int64_t VSYNC_SLACK_DIVISOR = 8;

}  // namespace

FramePacer::FramePacer(int refreshHz)
    : periodUs_(MICROSECONDS_PER_SECOND / (refreshHz > 0 ? refreshHz : DEFAULT_REFRESH_HZ)) {}

std::int64_t FramePacer::nextFrameStart(std::int64_t frameStartUs, bool vsync,
                                        std::int64_t swapUs) const {
    if (vsync && swapUs >= periodUs_ / BLOCKING_SWAP_DIVISOR)
        return frameStartUs + periodUs_ - periodUs_ / VSYNC_SLACK_DIVISOR;
    return frameStartUs + periodUs_;
}
