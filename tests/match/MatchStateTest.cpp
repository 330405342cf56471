// The match as a value: copies that step alike, the events each situation
// gives, and the same checksums when a recorded match is played back.
#include "match/MatchEvents.h"
#include "match/MatchRecorder.h"
#include "match/MatchState.h"
#include "match/MatchWorld.h"
#include "match/ReplayPlayback.h"
#include "replay/ReplayFolder.h"
#include "replay/ReplayReader.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int STEP = 33;

ControlStates held(std::vector<int> indices) {
    ControlStates controls{};
    for (int index : indices) controls[index] = Active;
    return controls;
}

// A rally under way: player 1 has just thrown up and across, player 2 runs.
MatchState midRally() {
    MatchEvents events;
    MatchState match = MatchState::start(ModelBig, ModelSmall, events);
    std::tie(match.robot1.state, match.robot1.holdTime) = std::tuple(int(RobotHolding), 2000.0);
    std::tie(match.frisbee.state, match.frisbee.owner) = std::tuple(int(FrisbeeHeld), 1);
    ControlStates controls = held({controlIndex(Up, 1), controlIndex(Action1, 1), controlIndex(Down, 2)});
    for (int i = 0; i < 10; ++i) match.step(STEP, controls, events);
    return match;
}

TEST(MatchStateTest, ACopySteppedWithTheSameControlsStaysEqualAndPartsWithOthers) {
    const MatchState original = midRally();
    ASSERT_EQ(original.frisbee.state, FrisbeeGliding);
    MatchState same = original, other = original;
    MatchState restored = original;
    EXPECT_EQ(same.checksum(), original.checksum());

    MatchEvents events;
    for (int i = 0; i < 30; ++i) {
        ControlStates a = held({controlIndex(Up, 2)}), b = a, c = held({controlIndex(Down, 2)});
        restored.step(STEP, a, events);
        same.step(STEP, b, events);
        other.step(STEP, c, events);
    }
    EXPECT_EQ(same.checksum(), restored.checksum());
    EXPECT_NE(other.checksum(), same.checksum());
    // Restoring is an assignment: the copy taken before is back, bit for bit.
    restored = original;
    EXPECT_EQ(restored.checksum(), original.checksum());
    // Every field the rules read counts: one score point, one ulp of a position.
    MatchState nudged = original;
    ++nudged.score[1];
    EXPECT_NE(nudged.checksum(), original.checksum());
    nudged = original;
    nudged.frisbee.y = std::nextafter(nudged.frisbee.y, 10.0);
    EXPECT_NE(nudged.checksum(), original.checksum());
}

// The events of one step, Running left out, as "Kind player points" words.
std::string eventsOf(MatchState& match, ControlStates controls = {}) {
    MatchEvents events;
    match.step(STEP, controls, events);
    std::string words;
    for (const MatchEvent& event : events) {
        static const char* const NAMES[] = {"Dash",      "Throw", "Catch",   "Running", "Rebound",  "Goal",
                                            "LobLanded", "Serve", "Message", "SetWon",  "MatchWon", "MatchOver"};
        if (event.kind == MatchEventKind::Running) continue;
        words += std::string(words.empty() ? "" : ", ") + NAMES[int(event.kind)];
        if (event.player) words.append(" p").append(std::to_string(event.player));
        if (event.points) words.append(" ").append(std::to_string(event.points));
        if (event.kind == MatchEventKind::Message) words += std::string(" ") + messagePictureName(event.picture);
    }
    return words;
}

TEST(MatchStateTest, EachSituationGivesItsEvents) {
    struct Case {
        const char* what;
        void (*setUp)(MatchState&);
        std::vector<int> held;
        const char* events;
    };
    const Case cases[] = {
        {"a throw", [](MatchState& m) { std::tie(m.robot1.state, m.robot1.holdTime) = std::tuple(int(RobotHolding), 2000.0); },
         {controlIndex(Action1, 1)}, "Throw p1"},
        {"a dash", [](MatchState&) {}, {controlIndex(Left, 2), controlIndex(Action1, 2)}, "Dash p2"},
        {"a catch", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.x, m.frisbee.z) = std::tuple(int(FrisbeeResting), 6.0, -5.3); },
         {}, "Catch p1"},
        {"the upper wall", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.x, m.frisbee.y, m.frisbee.z, m.frisbee.velocityY) = std::tuple(int(FrisbeeGliding), 0.0, 2.39, -4.9, 3.0); },
         {}, "Rebound"},
        {"the lower wall", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.x, m.frisbee.y, m.frisbee.z, m.frisbee.velocityY) = std::tuple(int(FrisbeeGliding), 0.0, -2.39, -4.9, -3.0); },
         {}, "Rebound"},
        {"a goal in the centre", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.owner, m.frisbee.x, m.frisbee.z, m.frisbee.velocityX) = std::tuple(int(FrisbeeGliding), 2, 6.45, -4.9, 5.0); },
         {}, "Goal p2 5, Message 5points"},
        {"a goal off centre", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.owner, m.frisbee.x, m.frisbee.y, m.frisbee.z, m.frisbee.velocityX) = std::tuple(int(FrisbeeGliding), 1, -6.45, 1.5, -4.9, -5.0); },
         {}, "Goal p1 3, Message 3points"},
        {"a lob that lands", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.owner, m.frisbee.x, m.frisbee.z, m.frisbee.velocityZ) = std::tuple(int(FrisbeeLobbed), 1, -3.0, -5.31, -3.0); },
         {}, "LobLanded p1 2, Message 2points"},
        {"a scored disc served again", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.owner) = std::tuple(int(FrisbeeScored), 1); },
         {}, "Serve"},
        {"the clock running out", [](MatchState& m) { std::tie(m.frisbee.state, m.frisbee.owner, m.timeLeft) = std::tuple(int(FrisbeeHeld), 1, 10); },
         {}, "Message timesup"},
        {"a set on points", [](MatchState& m) { std::tie(m.message, m.frisbee.owner, m.score) = std::tuple(MatchMessage{true, Picture3Points, 1000, 1}, 2, std::array{4, 21}); },
         {}, "Message p2WonSet, SetWon p2"},
        {"a set on time", [](MatchState& m) { std::tie(m.message, m.flow, m.score) = std::tuple(MatchMessage{true, PictureTimesUp, 1000, 1}, int(FlowTimeUp), std::array{9, 4}); },
         {}, "Message p1WonSet, SetWon p1, Serve"},
        {"a draw on time", [](MatchState& m) { std::tie(m.message, m.flow, m.score) = std::tuple(MatchMessage{true, PictureTimesUp, 1000, 1}, int(FlowTimeUp), std::array{4, 4}); },
         {}, "Message draw, Serve"},
        {"the match won", [](MatchState& m) { std::tie(m.message, m.flow, m.frisbee.owner) = std::tuple(MatchMessage{true, PictureP2WonSet, 2000, 1}, int(FlowMatchWon), 2); },
         {}, "Message p2WonGame, MatchWon p2"},
        {"the last message over", [](MatchState& m) { std::tie(m.message, m.flow) = std::tuple(MatchMessage{true, PictureP2WonGame, 3000, 1}, int(FlowBackToMenu)); },
         {}, "MatchOver"},
    };
    for (const Case& c : cases) {
        MatchEvents start;
        MatchState match = MatchState::start(ModelBig, ModelBig, start);
        std::tie(match.frisbee.state, match.frisbee.x) = std::tuple(int(FrisbeeHeld), 0.0);
        c.setUp(match);
        EXPECT_EQ(eventsOf(match, held(c.held)), c.events) << c.what;
    }
}

TEST(MatchStateTest, ARecordedMatchPlaysBackFromItsFileToTheSameChecksumAtEveryStep) {
    TempDirectory replays;
    MatchRecorder::folder = replays.file("replays");
    MatchWorld world;
    Game& game = world.game;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> stepMs(1, 33), percent(0, 99);
    // Player 2 is the computer: what it holds is kept like a person's keys.
    MatchPlayers players;
    players.computerLevel = {MatchPlayers::PERSON, LevelHard};
    players.seed = 5;
    game.startMatch(21, players);
    std::vector<std::uint64_t> checksums;
    // Random presses now and then for five minutes of play, pauses and the
    // steps spent on the pause page included.
    for (int elapsed = 0; elapsed < 5 * 60 * 1000 && !game.match.over;) {
        const bool paused = game.menu != nullptr;
        ASSERT_TRUE(!paused || game.menu->getTitle() == "Pause");
        if (paused) {
            // Straight back to the match.
            world.keys.releaseAll();
            world.keys.hold(KeyCode::Return);
        } else {
            for (int player : {1, 2})
                for (ControlKind kind : {Up, Down, Left, Right, Action1, Action2})
                    if (percent(random) < 6) percent(random) < 50 ? world.keys.hold(kind, player) : world.keys.release(kind, player);
            world.keys.release(KeyCode::Return);
            percent(random) == 0 ? world.keys.hold(KeyCode::Escape) : world.keys.release(KeyCode::Escape);
        }
        const int t = stepMs(random);
        world.loopStep(t);
        elapsed += t;
        if (!paused) checksums.push_back(game.match.checksum());
    }
    game.recorder.stop();

    const std::vector<std::string> files = ReplayFolder(MatchRecorder::folder).list();
    ASSERT_EQ(files.size(), 1u);
    std::string error;
    const std::optional<Replay> replay = ReplayReader::read(files[0], error);
    ASSERT_TRUE(replay) << error;
    ASSERT_EQ(replay->steps.size(), checksums.size());
    EXPECT_EQ(std::tuple(replay->header.robots, replay->header.controllers, replay->header.levels, replay->header.seed),
              std::tuple(std::array<std::uint8_t, 2>{ModelSmall, ModelBig},
                         std::array<std::uint8_t, 2>{REPLAY_PERSON, REPLAY_COMPUTER},
                         std::array<std::uint8_t, 2>{0, LevelHard}, std::uint64_t{5}));
    EXPECT_GT(replay->checksums.size(), 60u) << "one a second";
    ReplayPlayback playback(*replay);
    for (std::size_t step = 0; step < checksums.size(); ++step) {
        ASSERT_TRUE(playback.playStep());
        ASSERT_EQ(playback.match().checksum(), checksums[step]) << "step " << step;
    }
    EXPECT_FALSE(playback.partedAfter());
    EXPECT_TRUE(playback.finished());
}

// Recorded once, with the match's checksum after every step: any build that
// steps it to other bits, or any change to the rules, shows here.
TEST(MatchStateTest, TheKeptReplayPlaysToItsChecksumAtEveryStep) {
    std::string error;
    const std::optional<Replay> replay =
        ReplayReader::read(KORV_SOURCE_DIR "/tests/data/replays/kept-match.korvreplay", error);
    ASSERT_TRUE(replay) << error;
    ReplayPlayback playback(*replay);
    while (playback.playStep()) {
    }
    EXPECT_EQ(playback.checksumsCompared(), replay->steps.size());
    EXPECT_EQ(playback.partedAfter(), std::nullopt);
    const ReplaySummary summary = ReplayPlayback::summarize(*replay);
    EXPECT_EQ(std::tuple(summary.setsWon, summary.finished), std::tuple(std::array{2, 1}, true));
}

}  // namespace
