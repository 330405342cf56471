#pragma once

// One step of the match being played, from the players' controls: play or
// the message on screen moves on, and what it causes is heard and recorded.
// The pause control opens the pause page after a step of play; the end of
// the match opens the main menu.
void updateMatch(int elapsedMs);

// The window lost the keyboard. A match going on (no page open) pauses at its
// next step of play, after any message showing, as the pause control would
// pause it, and a replay pauses; a demo and the pages carry on as they are.
void pauseOnFocusLoss();
