#include "menus/Notification.h"

#include <gtest/gtest.h>

namespace {

TEST(NotificationTest, FadesInOverAQuarterOfItsLifeAndOutOverTheLastAndEndsOnTime) {
    struct Case {
        int duration, remaining, alpha;
    };
    const Case cases[] = {{1000, 1000, 0}, {1000, 875, 128}, {1000, 750, 255}, {1000, 125, 127},
                          {1000, 1, 1},    {2000, 1500, 255}, {2000, 250, 127}};
    Notification message(0, 0, 0, 0);
    for (const Case& c : cases) {
        message.durationMs = c.duration;
        message.remainingMs = c.remaining;
        EXPECT_EQ(message.alpha(), c.alpha) << c.remaining << " of " << c.duration << " ms";
    }
    message.remainingMs = message.durationMs = 1000;
    int steps = 0;
    for (; message.remainingMs > 0 && steps < 100; ++steps) message.update(33);
    EXPECT_EQ(steps, 31);
}

}  // namespace
