#include "platform/FrameLook.h"

namespace {
constexpr std::uint64_t FNV_OFFSET = 14695981039346656037ull;
constexpr std::uint64_t FNV_PRIME = 1099511628211ull;
}  // namespace

FrameLook::FrameLook(std::uint64_t seed) : hash_(FNV_OFFSET) { add(seed); }

void FrameLook::add(const void* bytes, std::size_t size) {
    const auto* byte = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < size; ++i) {
        hash_ ^= byte[i];
        hash_ *= FNV_PRIME;
    }
}
