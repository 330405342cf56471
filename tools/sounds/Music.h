#pragma once

#include "AudioBuffer.h"

// The soundtrack, stereo. The menu and game pieces are seamless loops;
// the intro plays once and ends on a held chord.
namespace music {

// -1 dBFS: loud, with room for the rounding to 16 bits.
constexpr float MUSIC_PEAK = 0.89f;

AudioBuffer intro();
AudioBuffer menu();
AudioBuffer game();

}  // namespace music
