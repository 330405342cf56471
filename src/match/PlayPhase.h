#pragma once

// One step of play: robots and disc move and meet, the set clock runs while
// the disc is in play, points become score and a picture message, the clock
// running out shows "timesup", and the pause control opens the pause page.
void updatePlay(int elapsedMs);

// The window lost the keyboard. A match going on (no page open) pauses at its
// next step of play, after any message showing, as the pause control would
// pause it; the pages carry on as they are.
void pauseOnFocusLoss();
