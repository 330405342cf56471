#pragma once

// Where a world position is heard: x = ±6 at the listener's sides (player 1's
// end, +x, on the left as on screen), y squeezed to a quarter, no height.
constexpr double SOUND_X_SPAN = -6.0;
constexpr double SOUND_Y_SCALE = 0.25;

inline double soundX(double worldX) { return worldX / SOUND_X_SPAN; }
inline double soundY(double worldY) { return worldY * SOUND_Y_SCALE; }
