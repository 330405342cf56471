#include "replay/ReplayFolder.h"
#include "replay/ReplayWriter.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// 2026-12-07 20:53:41 UTC: 22:53:41 where the clocks are two hours ahead.
constexpr std::int64_t STARTED_AT = 1796676821;
constexpr const char* TWO_HOURS_AHEAD = "KRV-2";
constexpr int MINUTE = 60;

// Records a one-step match as the game does, in a file newReplayPath names.
std::string recordMatch(const ReplayFolder& folder, std::int64_t startedAt) {
    std::string error;
    const std::string path = folder.newReplayPath(startedAt, error);
    ReplayWriter writer;
    EXPECT_TRUE(writer.open(path, ReplayHeader{"1.0.0", {}, {}, {}, 0, startedAt}, error)) << error;
    writer.addStep({});
    return path;
}

TEST(ReplayFolderTest, NamesByLocalTimeListsNewestFirstPrunesOnlyOldReplaysAndSaysWhenItCannotBeMade) {
    setenv("TZ", TWO_HOURS_AHEAD, 1);
    tzset();
    const TempDirectory temp;
    const ReplayFolder folder((temp.path() / "share/korvandeltix/replays").string());
    // Twelve matches in one second, then one a minute: oldest first.
    std::vector<std::string> recorded;
    for (int i = 0; i < 12; ++i) recorded.push_back(recordMatch(folder, STARTED_AT));
    for (int i = 1; recorded.size() < ReplayFolder::REPLAYS_KEPT + 3; ++i)
        recorded.push_back(recordMatch(folder, STARTED_AT + i * MINUTE));
    EXPECT_EQ(recorded[0], folder.path() + "/2026-12-07_22-53-41.korvreplay");
    EXPECT_EQ(recorded[1], folder.path() + "/2026-12-07_22-53-41-2.korvreplay");

    const std::vector<std::string> others = {"notes.txt", "match.korvreplay.bak", ".korvreplay"};
    for (const std::string& name : others) writeTextFile(folder.path() + "/" + name, name);
    fs::create_directory(folder.path() + "/2000-01-01_00-00-00.korvreplay");
    std::reverse(recorded.begin(), recorded.end());
    EXPECT_EQ(folder.list(), recorded);
    folder.prune();
    recorded.resize(ReplayFolder::REPLAYS_KEPT);
    EXPECT_EQ(folder.list(), recorded);
    for (const std::string& name : others) EXPECT_EQ(readTextFile(folder.path() + "/" + name), name);
    EXPECT_TRUE(fs::is_directory(folder.path() + "/2000-01-01_00-00-00.korvreplay"));

    const ReplayFolder underAFile(folder.path() + "/notes.txt/replays");
    std::string error;
    EXPECT_EQ(underAFile.newReplayPath(STARTED_AT, error), "");
    EXPECT_EQ(error, "cannot make the replay folder " + underAFile.path() + ": Not a directory");
    EXPECT_TRUE(underAFile.list().empty());
    underAFile.prune();
}

}  // namespace
