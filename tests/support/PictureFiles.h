#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an RGBA picture as a PNG (stored, uncompressed) so that tests can
// make the picture files they load.
void writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);

// A width × height picture of one RGBA colour.
void writeFlatPng(const std::string& path, int width, int height, std::uint32_t rgba);
