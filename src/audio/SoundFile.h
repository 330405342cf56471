#pragma once

#include <cstdint>
#include <string>

// Decodes a whole sound file into one 16-bit mono or stereo OpenAL buffer
// at the file's own rate. Returns the buffer name, or 0 after writing one
// line on the standard error stream. Without a current OpenAL context there
// is nothing to fill: it returns 0 at once, silently. A file with no sample
// frames is silence: 0, no message.
std::uint32_t loadSoundFile(const std::string& path);
