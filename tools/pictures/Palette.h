#pragma once

#include "common/Canvas.h"

// The colours of Korvandeltix: a deep night-blue backdrop, player 1 in red
// (the left half of the screen), player 2 in blue (the right half), gold for
// the goals and the logo, the disc in lime, the small robot amber and the
// big one teal, as in the arena.
namespace palette {

inline const Rgba NIGHT = rgb(0x05071A);
inline const Rgba NAVY = rgb(0x0C1238);
inline const Rgba DUSK = rgb(0x1A0F3E);
inline const Rgba INDIGO = rgb(0x232A78);
inline const Rgba INK = rgb(0x05061A);
inline const Rgba WHITE = rgb(0xF4F7FF);
inline const Rgba MIST = rgb(0xA9B4DA);

inline const Rgba P1 = rgb(0xE8413C);
inline const Rgba P1_LIGHT = rgb(0xFF8F7A);
inline const Rgba P1_DEEP = rgb(0x9E1E1A);
inline const Rgba P1_PALE = rgb(0xFFE3DF);
inline const Rgba P2 = rgb(0x2F7BEF);
inline const Rgba P2_LIGHT = rgb(0x8CC0FF);
inline const Rgba P2_DEEP = rgb(0x1A3F9E);
inline const Rgba P2_PALE = rgb(0xDDEAFF);

inline const Rgba GOLD = rgb(0xFFC83A);
inline const Rgba GOLD_LIGHT = rgb(0xFFF1B8);
inline const Rgba VIOLET = rgb(0x9A5CFF);
inline const Rgba DISC = rgb(0xD6FF3A);

// The robots wear the same colours as their models in the arena.
inline const Rgba SMALL_BODY = rgb(0xFF9A1F);
inline const Rgba SMALL_LIGHT = rgb(0xFFE9C4);
inline const Rgba SMALL_SHADE = rgb(0xC2660E);
inline const Rgba SMALL_DARK = rgb(0x3A2A24);
inline const Rgba SMALL_EYES = rgb(0xC8F8FF);
inline const Rgba BIG_BODY = rgb(0x22C2D6);
inline const Rgba BIG_LIGHT = rgb(0xD9F7FA);
inline const Rgba BIG_SHADE = rgb(0x12788F);
inline const Rgba BIG_DARK = rgb(0x1B2A44);
inline const Rgba BIG_EYES = rgb(0xFFB640);
inline const Rgba BIG_GLOW = rgb(0xFF5A3C);
inline const Rgba RUBBER = rgb(0x1B2230);

} // namespace palette

// Every picture is stretched to the screen (4:3 to 16:10), so it is drawn
// in a design space this much wider than tall and squeezed into 1024 texels.
inline constexpr int PICTURE_SIZE = 1024;
inline constexpr float DESIGN_ASPECT = 1.45f;
inline constexpr float DESIGN_WIDTH = PICTURE_SIZE * DESIGN_ASPECT;
inline constexpr float DESIGN_HEIGHT = PICTURE_SIZE;

// Fractions of the picture's width and height in design units.
inline constexpr float atX(float fraction) { return fraction * DESIGN_WIDTH; }
inline constexpr float atY(float fraction) { return fraction * DESIGN_HEIGHT; }
