// The game as a player installs it, with cmake --install into a prefix
// started from the home folder, or from the Debian package.
#include "support/Command.h"
#include "support/PlayerTest.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Built by appending: GCC 12 warns falsely about "'" + std::string.
std::string quoted(const fs::path& path) { return std::string(1, '\'').append(path.string()).append(1, '\''); }

// Every file under a folder with its size and time of change.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> filesUnder(const fs::path& folder) {
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
    return files;
}

// The command of the menu entry's Exec line.
std::string execLine(const fs::path& desktopEntry) {
    const std::string text = readTextFile(desktopEntry.string());
    const auto start = text.find("\nExec=") + 6;
    return text.substr(start, text.find('\n', start) - start);
}

struct InstalledGame : PlayerTest {
    TempDirectory temp;
    const fs::path home = temp.path() / "home";
    const std::vector<std::string> environment{"DISPLAY=" + server.display(), "ALSOFT_DRIVERS=null",
                                               "HOME=" + home.string(), "XDG_CONFIG_HOME", "SDL_VIDEODRIVER"};

    void SetUp() override {
        PlayerTest::SetUp();
        fs::create_directories(home);
    }
};

TEST_F(InstalledGame, FromAPrefixKeepsItsSettingsInTheHomeFolderAndNothingInThePrefix) {
    const fs::path prefix = temp.path() / "prefix";
    ASSERT_EQ(runCommand(std::string(KORV_CMAKE) + " --install '" KORV_BINARY_DIR "' --prefix " + quoted(prefix)).status, 0);
    const fs::path entry = prefix / "share/applications/korvandeltix.desktop";
    const auto installed = filesUnder(prefix);

    const fs::path settings = home / ".config/korvandeltix/config.ini";
    const auto game = start(execLine(entry), home.string(), environment);
    ASSERT_TRUE(waitFor(picturesAt(640), LOADING_TIMEOUT_MS));
    keepLook("installed_intro");
    chooseTheNextResolution();
    ASSERT_TRUE(waitFor([&](const Screen&) { return readTextFile(settings.string()).find("fullscreen") != std::string::npos; }));
    close(*game);
    EXPECT_NE(readTextFile(settings.string()).find("width=800\nheight=600\n"), std::string::npos);

    const auto again = start(execLine(entry), home.string(), environment);
    EXPECT_TRUE(waitFor(picturesAt(800), LOADING_TIMEOUT_MS));
    close(*again);
    EXPECT_TRUE(filesUnder(prefix) == installed);
}

// The package holds what the prefix install does, as Debian lays out games:
// the game started from a prefix above shows that layout works.
TEST_F(InstalledGame, FromTheDebianPackage) {
    const fs::path packages = temp.path() / "packages";
    const CommandResult cpack = runCommand(std::string(KORV_CPACK) + " -G DEB --config '" KORV_BINARY_DIR
                                           "/CPackConfig.cmake' -B " + quoted(packages));
    ASSERT_EQ(cpack.status, 0) << cpack.out << cpack.err;
    fs::path package;
    for (const auto& file : fs::directory_iterator(packages))
        if (file.path().extension() == ".deb") package = file.path();
    const std::string listing = runCommand("dpkg-deb -c " + quoted(package)).out;
    // The menu entry and metadata are validated below.
    for (const char* file : {"./usr/games/korvandeltix", "./usr/share/games/korvandeltix/Images/Menu/menu.png",
                             "./usr/share/games/korvandeltix/Meshes/Arena/arena.x",
                             "./usr/share/icons/hicolor/48x48/apps/korvandeltix.png"})
        EXPECT_NE(listing.find(file), std::string::npos) << file << " not in\n" << listing;
    EXPECT_NE(runCommand("dpkg-deb -f " + quoted(package) + " Depends").out.find("libsdl2"), std::string::npos);

    const fs::path root = temp.path() / "root";
    ASSERT_EQ(runCommand("dpkg-deb -x " + quoted(package) + " " + quoted(root)).status, 0);
    const CommandResult desktop =
        runCommand("desktop-file-validate " + quoted(root / "usr/share/applications/korvandeltix.desktop"));
    EXPECT_EQ(desktop.status + desktop.out.size(), 0u) << desktop.out;
    for (const auto& metainfo : fs::directory_iterator(root / "usr/share/metainfo")) {
        const CommandResult appstream = runCommand("appstreamcli validate --no-net " + quoted(metainfo.path()));
        EXPECT_EQ(appstream.status, 0) << appstream.out;
    }
}

}  // namespace
