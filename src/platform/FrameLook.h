#pragma once

#include <cstddef>
#include <cstdint>

// A fingerprint of what a frame would show, gathered from the draws asked
// for instead of making them: two frames that ask for the same draws with
// the same pictures show the same thing. 64-bit FNV-1a over their bytes.
class FrameLook {
public:
    explicit FrameLook(std::uint64_t seed = 0);

    void add(const void* bytes, std::size_t size);
    template <class T>
    void add(const T& value) {
        add(&value, sizeof value);
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_;
};
