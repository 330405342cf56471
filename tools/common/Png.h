#pragma once

#include <string>

class Canvas;

// Writes the canvas as an 8-bit RGBA PNG with fixed settings, so the same
// canvas always gives the same bytes. Creates missing parent folders.
// Returns false when the file cannot be written.
bool writePng(const std::string& path, const Canvas& canvas);
