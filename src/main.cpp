#include "platform/Paths.h"
#include "shell/Application.h"
#include "shell/CommandLine.h"
#include "shell/Config.h"

#include <cstdio>
#include <optional>

int main(int argc, char** argv) {
    if (const std::optional<int> status = answerCommandLine(argc, argv)) return *status;
    // Every file the game reads is relative to its data folder; without one
    // it runs on where it was started, without its pictures and sounds.
    const Paths paths = Paths::forThisProgram();
    if (!paths.enterDataFolder())
        std::fprintf(stderr, "korvandeltix: no game data found in %s or %s\n", paths.searched[0].c_str(),
                     paths.searched[1].c_str());
    Config::filePath = paths.settingsFile;
    return runApplication();
}
