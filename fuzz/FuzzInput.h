#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The loaders read files by path: writes the fuzzer's bytes to a file of
// this process's own (the same path every time) and returns its path.
const std::string& writeInput(const std::uint8_t* data, std::size_t size);
