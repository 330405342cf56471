#include "match/MatchRecorder.h"

#include "match/HeldControls.h"
#include "match/MatchPlayers.h"
#include "match/MatchState.h"
#include "replay/ReplayFolder.h"
#include "replay/ReplayHeader.h"
#include "replay/ReplayWriter.h"

#include <cstdio>
#include <ctime>

namespace {
// A checksum once a second of play lets a replay tell where it stops
// matching the game that plays it.
constexpr std::size_t CHECKSUM_INTERVAL_STEPS = 60;
}  // namespace

std::string MatchRecorder::folder;

MatchRecorder::MatchRecorder() = default;
MatchRecorder::~MatchRecorder() = default;

void MatchRecorder::start(const MatchState& match, const MatchPlayers& players) {
    stop();
    if (folder.empty()) return;
    ReplayHeader header;
    header.gameVersion = KORV_VERSION;
    header.robots = {static_cast<std::uint8_t>(match.robot1.model), static_cast<std::uint8_t>(match.robot2.model)};
    header.startedAt = static_cast<std::int64_t>(std::time(nullptr));
    for (int side = 0; side < 2; ++side) {
        if (!players.computerPlays(side + 1)) continue;
        header.controllers[side] = REPLAY_COMPUTER;
        header.levels[side] = static_cast<std::uint8_t>(players.computerLevel[side]);
    }
    if (players.computerPlays(1) || players.computerPlays(2)) header.seed = players.seed;

    const ReplayFolder replays(folder);
    std::string error;
    const std::string path = replays.newReplayPath(header.startedAt, error);
    auto writer = std::make_unique<ReplayWriter>();
    if (path.empty() || !writer->open(path, header, error)) {
        std::fprintf(stderr, "korvandeltix: replay not saved: %s\n", error.c_str());
        return;
    }
    writer_ = std::move(writer);
    replays.prune();
}

void MatchRecorder::record(int elapsedMs, const ControlStates& controls, const MatchState& after) {
    if (!recording()) return;
    writer_->addStep({elapsedMs, heldMask(controls)});
    ++steps_;
    if (steps_ % CHECKSUM_INTERVAL_STEPS == 0 || after.over) writer_->addChecksum(after.checksum());
    if (after.over) stop();
}

void MatchRecorder::stop() {
    writer_.reset();
    steps_ = 0;
}

bool MatchRecorder::recording() const { return writer_ && writer_->isOpen(); }
