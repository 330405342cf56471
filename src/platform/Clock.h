#pragma once

#include <cstdint>

// The millisecond counter (only differences between two readings mean
// anything; it wraps after 49 days), a finer reading of the same clock in
// microseconds, and the main loop's wait for a moment on it.
std::uint32_t tickCount();
std::int64_t nowMicroseconds();
// Returns at once when the moment has passed.
void waitUntil(std::int64_t microseconds);
