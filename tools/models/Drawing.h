#pragma once

#include "common/Canvas.h"

// Small drawing helpers for the model pictures, on top of the shared canvas.

// The colour darkened (factor < 1) or lightened toward white (factor > 1).
Rgba shade(const Rgba& colour, float factor);

// A canvas filled with one colour.
Canvas filled(int width, int height, const Rgba& background);

// A filled circle and a ring from radius r0 to r1, in pixels.
void disc(Canvas& canvas, float cx, float cy, float r, const Rgba& colour);
void band(Canvas& canvas, float cx, float cy, float r0, float r1, const Rgba& colour);

// An opaque rectangle in pixels.
void fillRect(Canvas& canvas, float x0, float y0, float x1, float y1, const Rgba& colour);

// A line of the given width with round ends.
void line(Canvas& canvas, float x0, float y0, float x1, float y1, float width, const Rgba& colour);

// Diagonal stripes clipped to a rectangle.
Shape hatch(float x0, float y0, float x1, float y1, float period, float width);

// Blocky scoreboard digits drawn with rounded strokes: `height` pixels tall,
// half as wide, with the top-left corner at (x, y).
void digit(Canvas& canvas, int value, float x, float y, float height, float stroke,
           const Rgba& colour);
