#pragma once

#include <optional>

// The options of the command line, answered before anything else starts:
// --help and --version print and end with status 0, anything else prints the
// usage on the standard error stream and ends with status 2. Nothing when
// there are no arguments and the game should run.
std::optional<int> answerCommandLine(int argc, const char* const* argv);
