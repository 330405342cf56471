#pragma once

#include "common/Canvas.h"

// The colours the models share with the game's pictures: a night-blue
// arena, player 1 in orange-red (the x > 0 half, left on screen), player 2 in
// cyan (the x < 0 half, right on screen), gold for the goals, the disc in
// lime; the small robot silver-white with gold, the big one slate with violet.
namespace palette {
inline const Rgba NIGHT = rgb(0x05071A);
inline const Rgba NAVY = rgb(0x0C1238);
inline const Rgba SLATE = rgb(0x1A2142);
inline const Rgba PLAYER_ONE = rgb(0xFF5A1F);
inline const Rgba PLAYER_TWO = rgb(0x1FD2FF);
inline const Rgba GOLD = rgb(0xFFCF33);
inline const Rgba WHITE = rgb(0xF4F7FF);
inline const Rgba INK = rgb(0x05061A);
inline const Rgba VIOLET = rgb(0xB07CFF);
inline const Rgba DISC = rgb(0xA4FF3A);
inline const Rgba RUBBER = rgb(0x1E2236);
inline const Rgba SMALL_BODY = rgb(0xE9EDF7);
inline const Rgba SMALL_SHADE = rgb(0x9AA4C4);
inline const Rgba BIG_BODY = rgb(0x6A7396);
inline const Rgba BIG_SHADE = rgb(0x2B3049);
inline const Rgba BIG_LIGHT = rgb(0x9AA3C8);
}  // namespace palette
