#pragma once

#include "AudioBuffer.h"

// The game's sound effects, mono so that OpenAL can place them. Each starts
// and ends in silence.
namespace soundEffects {

AudioBuffer bound();       // the disc striking a side wall
AudioBuffer goal();        // a goal: a short fanfare
AudioBuffer lame();        // a lob landing: a dull thud
AudioBuffer engage();      // the disc put into play: a rising chime
AudioBuffer throwDisc();   // a throw: a whoosh
AudioBuffer move();        // a motor hum, replayed and re-pitched while a robot runs
AudioBuffer straf();       // a dash: a rising zap
AudioBuffer getFrisbee();  // a catch: a snap and a rising blip
AudioBuffer beep();        // moving through a menu
AudioBuffer beep2();       // choosing in a menu

}  // namespace soundEffects
