#include "platform/Paths.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(PathsTest, TheRunFolderFirstThenTheInstalledShareFolderWithSettingsAndReplaysInTheXdgHomes) {
    const TempDirectory temp;
    const fs::path run = temp.path() / "run";
    const fs::path share = temp.path() / "usr/share/games/korvandeltix";
    for (const fs::path& data : {run, share})
        for (const char* folder : {"Images", "Meshes", "Sounds", "Musics"}) fs::create_directories(data / folder);
    // Not every data folder: not the game's data.
    fs::create_directories(temp.path() / "lone/Images");
    const std::string home = "/home/ana";
    const std::string installed = (temp.path() / "usr/games").string();
    const std::string homeSettings = home + "/.config/korvandeltix/config.ini";
    const std::string homeReplays = home + "/.local/share/korvandeltix/replays";

    const struct {
        std::string executableFolder, configHome, dataHome, dataFolder, settingsFile, replaysFolder;
    } cases[] = {
        // SDL gives the executable's folder with a closing slash.
        {run.string() + "/", "/xdg", "/xdg-data", run.string(), (run / "Data/config.ini").string(),
         (run / "Data/replays").string()},
        {installed, "", "", share.string(), homeSettings, homeReplays},
        {installed, "/xdg", "/xdg-data", share.string(), "/xdg/korvandeltix/config.ini",
         "/xdg-data/korvandeltix/replays"},
        // A relative $XDG_CONFIG_HOME or $XDG_DATA_HOME does not count.
        {installed, "xdg", "data", share.string(), homeSettings, homeReplays},
        {(temp.path() / "lone").string(), "", "", "", homeSettings, homeReplays},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.executableFolder + " " + c.configHome + " " + c.dataHome);
        const Paths paths = Paths::forExecutableIn(c.executableFolder, home, c.configHome, c.dataHome);
        EXPECT_EQ(paths.dataFolder, c.dataFolder);
        EXPECT_EQ(paths.settingsFile, c.settingsFile);
        EXPECT_EQ(paths.replaysFolder, c.replaysFolder);
    }
    EXPECT_EQ(Paths::forExecutableIn((temp.path() / "lone").string(), home, "", "").searched,
              (std::vector<std::string>{(temp.path() / "lone").string(),
                                        (temp.path() / "share/games/korvandeltix").string()}));
}

}  // namespace
