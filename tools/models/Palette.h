#pragma once

#include "common/Canvas.h"

// The colours every model shares with the rest of the game's look.
namespace palette {
inline const Rgba PLAYER_ONE = rgb(0xE8413C);   // red: the x > 0 half, left on screen
inline const Rgba PLAYER_TWO = rgb(0x2F7BEF);   // blue: the x < 0 half, right on screen
inline const Rgba GOLD = rgb(0xFFC83A);         // the 5-point zone
inline const Rgba WHITE = rgb(0xF2F4F8);
inline const Rgba INK = rgb(0x14161C);
inline const Rgba SMALL_MAIN = rgb(0xFF9A1F);   // the small robot: amber orange
inline const Rgba SMALL_LIGHT = rgb(0xFFE9C4);
inline const Rgba SMALL_DARK = rgb(0x3A2A24);
inline const Rgba BIG_MAIN = rgb(0x22C2D6);     // the big robot: teal cyan
inline const Rgba BIG_LIGHT = rgb(0xD9F7FA);
inline const Rgba BIG_DARK = rgb(0x1B2A44);
inline const Rgba DISC = rgb(0xD6FF3A);         // the disc: lime
}  // namespace palette
