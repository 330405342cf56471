#include "shell/TimeStep.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeStep, IsTheElapsedMillisecondsCappedAt33EvenAcrossTheCounterWrapping) {
    EXPECT_EQ(timeStep(1000, 1033), 33);
    EXPECT_EQ(timeStep(1000, 1200), 33);  // a 200 ms stall
    EXPECT_EQ(timeStep(0xFFFFFFF0u, 5u), 21);
}

}  // namespace
