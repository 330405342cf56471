#pragma once

#include "platform/Image.h"

#include <string>

// Writes the picture as NAME.png into the folder named by
// KORV_SCREENSHOT_DIR, when that is set, so a person can look at what a
// pixel test saw. Does nothing otherwise.
void saveScreenshot(const std::string& name, const Image& image);
