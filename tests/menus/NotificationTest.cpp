#include "menus/Notification.h"

#include <gtest/gtest.h>

namespace {

TEST(NotificationTest, FadesInOverAQuarterOfItsLifeAndOutOverTheLast) {
    struct Case {
        int duration, remaining, alpha;
    };
    const Case cases[] = {{1000, 1000, 0}, {1000, 875, 128}, {1000, 750, 255}, {1000, 500, 255},
                          {1000, 250, 255}, {1000, 125, 127}, {1000, 1, 1},
                          // longer lives keep their quarters
                          {2000, 2000, 0}, {2000, 1500, 255}, {2000, 250, 127}};
    Notification message(0, 0, 0, 0);
    for (const Case& c : cases) {
        message.durationMs = c.duration;
        message.remainingMs = c.remaining;
        EXPECT_EQ(message.alpha(), c.alpha) << c.remaining << " of " << c.duration << " ms";
    }
}

TEST(NotificationTest, EndsAfter31StepsOf33MsWithoutMoving) {
    Notification message(160, 120, 320, 240);
    int steps = 0;
    for (; message.remainingMs > 0 && steps < 100; ++steps) message.update(33);
    EXPECT_EQ(steps, 31);
    EXPECT_EQ(message.x, 160.0);
    EXPECT_EQ(message.y, 120.0);
}

}  // namespace
