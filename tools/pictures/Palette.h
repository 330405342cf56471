#pragma once

#include "common/Canvas.h"

// The colours of Korvandeltix, shared with the models: a deep night-blue
// backdrop, player 1 in orange-red (the left half of the screen), player 2 in
// cyan (the right half), gold for the goals and the logo, the disc in lime,
// the small robot silver-white with gold lights, the big one slate with violet.
namespace palette {

inline const Rgba NIGHT = rgb(0x05071A);
inline const Rgba NAVY = rgb(0x0C1238);
inline const Rgba DUSK = rgb(0x1A0F3E);
inline const Rgba INDIGO = rgb(0x232A78);
inline const Rgba INK = rgb(0x05061A);
inline const Rgba WHITE = rgb(0xF4F7FF);
inline const Rgba MIST = rgb(0xA9B4DA);

inline const Rgba P1 = rgb(0xFF5A1F);
inline const Rgba P1_LIGHT = rgb(0xFFA552);
inline const Rgba P1_DEEP = rgb(0xA82600);
inline const Rgba P1_PALE = rgb(0xFFE6D8);
inline const Rgba P2 = rgb(0x1FD2FF);
inline const Rgba P2_LIGHT = rgb(0xA2F3FF);
inline const Rgba P2_DEEP = rgb(0x0A62D0);
inline const Rgba P2_PALE = rgb(0xD8F6FF);

inline const Rgba GOLD = rgb(0xFFCF33);
inline const Rgba GOLD_LIGHT = rgb(0xFFF3B0);
inline const Rgba VIOLET = rgb(0x9A5CFF);
inline const Rgba DISC = rgb(0xA4FF3A);

// The robots wear the same colours as their models in the arena.
inline const Rgba SMALL_BODY = rgb(0xE9EDF7);
inline const Rgba SMALL_LIGHT = rgb(0xFFFFFF);
inline const Rgba SMALL_SHADE = rgb(0x9AA4C4);
inline const Rgba SMALL_DARK = rgb(0x141A33);
inline const Rgba SMALL_ACCENT = rgb(0xFFCF33);
inline const Rgba SMALL_EYES = rgb(0xFFE27A);
inline const Rgba BIG_BODY = rgb(0x6A7396);
inline const Rgba BIG_LIGHT = rgb(0x9AA3C8);
inline const Rgba BIG_SHADE = rgb(0x2B3049);
inline const Rgba BIG_DARK = rgb(0x10142A);
inline const Rgba BIG_ACCENT = rgb(0xB07CFF);
inline const Rgba BIG_EYES = rgb(0xD9BFFF);
inline const Rgba RUBBER = rgb(0x1E2236);

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
