#include "replay/ReplayReader.h"
#include "replay/ReplayWriter.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const ReplayHeader HEADER{"1.0.0-test", {1, 0}, {2, 1}, {3, 0}, 0x0123456789ABCDEF, -1234567890123};
constexpr std::uint64_t CHECKSUM = 0xFEDCBA9876543210;
// A match's records in order: steps, and checksums (no step) before the
// first step, twice after the third and after the last. Held controls repeat
// and change; steps run from the shortest to the longest.
const std::optional<ReplayStep> RECORDS[] = {
    std::nullopt, {{16, 0}},      {{16, 0}},      {{17, 0x0FFF}}, std::nullopt, std::nullopt,
    {{0, 0x0FFF}}, {{33, 0x0001}}, {{33, 0x0800}}, {{1, 0}},       std::nullopt};

TEST(ReplayFileTest, ReadsBackWhatWasWrittenAndACutFileUpToItsLastWholeRecord) {
    const TempDirectory dir;
    const std::string path = dir.file("match.korvreplay");
    ReplayWriter writer;
    std::string error;
    ASSERT_TRUE(writer.open(path, HEADER, error)) << error;
    const std::uintmax_t headerEnd = fs::file_size(path);
    // What each record adds to the replay, and the file's size after it.
    const auto add = [](Replay& replay, std::size_t i) {
        if (RECORDS[i]) replay.steps.push_back(*RECORDS[i]);
        else replay.checksums.push_back({replay.steps.size(), CHECKSUM + i});
    };
    Replay written{HEADER, {}, {}};
    std::vector<std::uintmax_t> ends;
    for (std::size_t i = 0; i < std::size(RECORDS); ++i) {
        add(written, i);
        RECORDS[i] ? writer.addStep(*RECORDS[i]) : writer.addChecksum(CHECKSUM + i);
        ends.push_back(fs::file_size(path));
    }
    EXPECT_EQ(ReplayReader::read(path, error), written) << error;
    // Held controls that stay cost no bytes.
    EXPECT_EQ(ends[2] - ends[1], 1u);

    const std::string bytes = readTextFile(path);
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        Replay whole{HEADER, {}, {}};
        for (std::size_t i = 0; i < ends.size() && ends[i] <= cut; ++i) add(whole, i);
        const auto replay = ReplayReader::parse(reinterpret_cast<const std::uint8_t*>(bytes.data()), cut, error);
        if (cut >= headerEnd && !whole.steps.empty()) {
            EXPECT_EQ(replay, whole) << error;
        } else {
            EXPECT_FALSE(replay);
            const char* expected = cut == 0 ? "not a Korvandeltix" : cut < headerEnd ? "cut inside" : "no step";
            EXPECT_NE(error.find(expected), std::string::npos) << error;
        }
    }
}

// What the first file of the table below holds.
const ReplayHeader HAND_MADE_HEADER{"1.0.0", {1, 0}, {}, {}, 0x0807060504030201, 0x7F00000000000001};
const Replay HAND_MADE{HAND_MADE_HEADER, {{16, 0}, {16, 5}, {33, 0}}, {{2, 0x8877665544332211}}};

TEST(ReplayFileTest, RefusesWhatIsNoReplayOfThisFormatInOneLine) {
    using namespace std::string_literals;
    const std::string header = "KORVRPLY\x01\x00\x05" "1.0.0\x01\x00\x00\x00\x00\x00"
                               "\x01\x02\x03\x04\x05\x06\x07\x08\x01\x00\x00\x00\x00\x00\x00\x7F"s;
    const std::string checksum = "\x80\x11\x22\x33\x44\x55\x66\x77\x88"s;
    const auto with = [&header](std::size_t at, const std::string& b) { return std::string(header).replace(at, 1, b); };
    const struct {
        std::string bytes, expected;
    } cases[] = {
        {header + "\x10\x50\x05\x00"s + checksum + "\x61\x00\x00"s, ""},
        {with(7, "Z") + "\x10", "not a Korvandeltix replay"},
        {with(8, "\x02") + "\x10", "replay format version 2; this game reads version 1"},
        {header.substr(0, 37), "cut inside its header"},
        {with(10, "\x21") + std::string(40, 'v'), "longer than 32 bytes"},
        {with(12, "\n") + "\x10", "0xA, not printable"},
        {with(17, "\x02") + "\x10", "player 2 has robot model 2"},
        {header + "\x10\x81", "unknown record 0x81 at byte 39"},
        {header + "\x22", "a step of 34 ms, not 0 to 33 at byte 38"},
        // Even a cut mask shows a step too long.
        {header + "\x10\x62", "a step of 34 ms"},
        {header + "\x10\x50\x00\x10"s, "held controls 0x1000 beyond the twelve at byte 39"},
        {header + checksum, "holds no step"},
        {std::string(ReplayReader::MAX_FILE_SIZE + 1, 'K'), "larger than 64 MiB"},
    };
    const TempDirectory dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        writeTextFile(dir.file("case"), c.bytes);
        std::string error;
        const std::optional<Replay> replay = ReplayReader::read(dir.file("case"), error);
        if (c.expected.empty()) {
            EXPECT_EQ(replay, HAND_MADE) << error;
        } else {
            EXPECT_FALSE(replay);
            EXPECT_EQ(error.find(dir.file("case") + ": "), 0u) << error;
            EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        }
    }
    std::string error;
    EXPECT_FALSE(ReplayReader::read(dir.file("absent"), error));
    EXPECT_EQ(error, dir.file("absent") + ": No such file or directory");
}

TEST(ReplayFileTest, WriterNeverOverwritesLeavesNoStepLessFileAndStopsAtTheFirstFault) {
    const TempDirectory dir;
    const std::string path = dir.file("match.korvreplay");
    ReplayWriter writer;
    std::string error;
    EXPECT_FALSE(writer.open(path, ReplayHeader{std::string(33, 'v')}, error));
    ASSERT_TRUE(writer.open(path, HEADER, error));
    writer.close();
    EXPECT_FALSE(fs::exists(path));
    writeTextFile(dir.file("kept"), "kept");
    EXPECT_FALSE(writer.open(dir.file("kept"), HEADER, error));
    EXPECT_EQ(readTextFile(dir.file("kept")), "kept");

    // A step the format cannot hold: one line, once, and the steps before it stay.
    const ReplayStep step{17, 0x0FFF};
    ASSERT_TRUE(writer.open(path, HEADER, error)) << error;
    writer.addStep(step);
    testing::internal::CaptureStderr();
    writer.addStep({REPLAY_MAX_STEP_MS + 1, 0});
    writer.addStep({});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "korvandeltix: replay not saved: " + path + ": a step of 34 ms, not 0 to 33\n");
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(ReplayReader::read(path, error)->steps, std::vector<ReplayStep>{step}) << error;

    // A disk that takes no more does the same.
    ASSERT_TRUE(writer.open(dir.file("full"), HEADER, error)) << error;
    writer.addStep(step);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit full{fs::file_size(dir.file("full")), RLIM_INFINITY}, unlimited{RLIM_INFINITY, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &full);
    writer.addStep({});
    setrlimit(RLIMIT_FSIZE, &unlimited);
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(ReplayReader::read(dir.file("full"), error)->steps, std::vector<ReplayStep>{step}) << error;
}

}  // namespace
