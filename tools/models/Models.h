#pragma once

#include <string>

// Each writes one model with its pictures under `runFolder`, at the paths the
// game loads them from. False when a file cannot be written.
bool writeArena(const std::string& runFolder);
bool writeDisc(const std::string& runFolder);
bool writeSmallRobot(const std::string& runFolder);
bool writeBigRobot(const std::string& runFolder);
