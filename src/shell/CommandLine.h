#pragma once

#include "net/OnlineRequest.h"

#include <optional>
#include <string>

// The options of the command line, answered before anything else starts:
// --help and --version print and end with status 0, anything else prints the
// usage on the standard error stream and ends with status 2. Nothing when
// the game should run: without arguments, with --replay FILE, whose file is
// then given in replayFile, or with --host [PORT] or --join ADDRESS[:PORT],
// given in online.
std::optional<int> answerCommandLine(int argc, const char* const* argv, std::string& replayFile,
                                     std::optional<OnlineRequest>& online);
