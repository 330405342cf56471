#include "match/Game.h"
#include "match/MatchRecorder.h"
#include "platform/Paths.h"
#include "replay/ReplayReader.h"
#include "shell/Application.h"
#include "shell/CommandLine.h"
#include "shell/Config.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {
constexpr int BAD_REPLAY = 1;
}  // namespace

int main(int argc, char** argv) {
    std::string replayFile;
    if (const std::optional<int> status = answerCommandLine(argc, argv, replayFile, Game::onlineAsked))
        return *status;
    // Read before the data folder becomes the working directory, so that a
    // path relative to where the player stands means what they typed.
    if (!replayFile.empty()) {
        std::string error;
        std::optional<Replay> replay = ReplayReader::read(replayFile, error);
        if (!replay) {
            std::fprintf(stderr, "korvandeltix: %s\n", error.c_str());
            return BAD_REPLAY;
        }
        Game::replayToWatch = std::move(replay);
    }
    // Every file the game reads is relative to its data folder; without one
    // it runs on where it was started, without its pictures and sounds.
    const Paths paths = Paths::forThisProgram();
    if (!paths.enterDataFolder())
        std::fprintf(stderr, "korvandeltix: no game data found in %s or %s\n", paths.searched[0].c_str(),
                     paths.searched[1].c_str());
    Config::filePath = paths.settingsFile;
    MatchRecorder::folder = paths.replaysFolder;
    return runApplication();
}
