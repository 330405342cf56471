#pragma once

#include <cstdint>

class GraphicsDevice;

// The frame's clear colour: opaque grey (80, 80, 80).
constexpr std::uint32_t CLEAR_COLOR = 0xFF505050u;

// The fixed camera: from (0, 0, 8) toward the origin with +y up, a quarter-
// turn field of view, depth from 1 to 100. Seen from there, world +x is on
// the left of the screen and +y at the top.
void setCamera(GraphicsDevice& device, int width, int height);

// Clears colour and depth, draws the scene through the camera and shows it.
// A page is drawn only when it would look other than what the window shows,
// or when the window lost its picture (pictureLost); a match always is.
// Whether a frame was shown.
bool renderFrame(bool pictureLost = false);
