#pragma once

#include "support/TempDirectory.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

// What a shell command wrote on each stream, and its exit status.
struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CommandResult runCommand(const std::string& command) {
    const TempDirectory streams;
    const int raw =
        std::system((command + " >'" + streams.file("out") + "' 2>'" + streams.file("err") + "'").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readTextFile(streams.file("out")),
            readTextFile(streams.file("err"))};
}
