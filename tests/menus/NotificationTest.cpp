#include "menus/Notification.h"

#include <gtest/gtest.h>

namespace {

TEST(NotificationTest, FadesInHoldsAndFadesOut) {
    Notification message(160, 120, 320, 240);
    EXPECT_EQ(message.durationMs, 1000);
    EXPECT_EQ(message.remainingMs, 1000);
    const std::pair<int, int> expected[] = {{1000, 0}, {875, 128}, {750, 255}, {500, 255},
                                            {250, 255}, {125, 127}, {1, 1}};
    for (const auto& [remaining, alpha] : expected) {
        message.remainingMs = remaining;
        EXPECT_EQ(message.alpha(), alpha) << "R = " << remaining;
    }
}

TEST(NotificationTest, LongerLivesKeepTheirQuarters) {
    Notification message(0, 0, 0, 0);
    message.durationMs = message.remainingMs = 2000;
    EXPECT_EQ(message.alpha(), 0);
    message.remainingMs = 1500;
    EXPECT_EQ(message.alpha(), 255);
    message.remainingMs = 250;
    EXPECT_EQ(message.alpha(), 127);
}

TEST(NotificationTest, EndsAfter31StepsOf33Ms) {
    Notification message(160, 120, 320, 240);
    int steps = 0;
    while (message.remainingMs > 0) {
        message.update(33);
        ++steps;
    }
    EXPECT_EQ(steps, 31);
    EXPECT_EQ(message.x, 160.0);  // a message never moves
    EXPECT_EQ(message.y, 120.0);
}

}  // namespace
