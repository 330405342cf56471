#pragma once

#include <cstdint>

// Every operator new of the process so far, counted by the replacement
// operators of the measured build.
std::uint64_t allocationCount();
