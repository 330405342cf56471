#pragma once

// One step while a picture message shows: the message counts down; when it
// is over both robots go back to their spots and the match moves on: back
// to play, to the set or match winner's picture, or to the main menu.
void updateNotification(int elapsedMs);
