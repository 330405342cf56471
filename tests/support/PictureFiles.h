#pragma once

#include "platform/Image.h"

#include <cstdint>
#include <span>
#include <string>

// Writes an RGBA picture as a PNG, so that tests can make the picture files
// they load.
void writePng(const std::string& path, int width, int height, std::span<const std::uint8_t> rgba);

// A width × height picture of one RGBA colour.
void writeFlatPng(const std::string& path, int width, int height, std::uint32_t rgba);

// Writes the picture as NAME.png into the folder named by
// KORV_SCREENSHOT_DIR, when that is set, so a person can look at what a
// pixel test saw. Does nothing otherwise.
void saveScreenshot(const std::string& name, const Image& image);
