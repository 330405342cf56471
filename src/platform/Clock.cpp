#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace {

std::chrono::steady_clock::duration sinceEpoch() {
    return std::chrono::steady_clock::now().time_since_epoch();
}

}  // namespace

std::uint32_t tickCount() {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch()).count());
}

std::int64_t nowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch()).count();
}

void waitUntil(std::int64_t microseconds) {
    std::this_thread::sleep_until(
        std::chrono::steady_clock::time_point(std::chrono::microseconds(microseconds)));
}
