#pragma once

#include <filesystem>

class AudioBuffer;

// Writes the buffer as a 16-bit PCM WAV file at SAMPLE_RATE; false when the
// file cannot be written. Samples beyond [-1, 1] are clamped.
bool writeWav(const std::filesystem::path& path, const AudioBuffer& buffer);
