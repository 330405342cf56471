#include "platform/RecordingDevice.h"
#include "shell/FramePacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The loop's pacing on the recording device, whose present never waits:
// each frame takes 3 ms of work, and the next one starts when the pacer says.
std::vector<std::int64_t> frameStarts(const RecordingDevice& device, int frames) {
    const FramePacer pacer(device.refreshRate());
    constexpr std::int64_t WORK_US = 3000;
    std::vector<std::int64_t> starts{0};
    while (static_cast<int>(starts.size()) < frames) {
        const std::int64_t start = starts.back();
        const std::int64_t next = pacer.nextFrameStart(start, device.vsyncRequested(),
                                                       device.lastSwapMicroseconds());
        starts.push_back(std::max(next, start + WORK_US));
    }
    return starts;
}

TEST(FramePacer, ASwapThatDoesNotWaitGetsFramesSpacedToTheRefreshPeriod) {
    RecordingDevice device;
    EXPECT_EQ(frameStarts(device, 4), (std::vector<std::int64_t>{0, 16666, 33332, 49998}))
        << "60 Hz when the display's rate is unknown";
    device.refreshRateHz = 75;
    EXPECT_EQ(frameStarts(device, 3), (std::vector<std::int64_t>{0, 13333, 26666}));
}

TEST(FramePacer, WaitsNothingAfterASwapThatWaitedForTheRefresh) {
    const FramePacer pacer(60);
    EXPECT_EQ(pacer.nextFrameStart(1000, true, 9000), 1000);
    // Vsync asked for, yet the swap only copied the picture: the loop waits.
    EXPECT_EQ(pacer.nextFrameStart(1000, true, 500), 17666);
    EXPECT_EQ(pacer.nextFrameStart(1000, false, 9000), 17666);
}

}  // namespace
