#pragma once

#include <cstdint>

// The millisecond counter (only differences between two readings mean
// anything; it wraps after 49 days) and the sleep of the main loop.
std::uint32_t tickCount();
void sleepMilliseconds(int milliseconds);
