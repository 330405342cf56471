// The game as a player installs it, with cmake --install into a prefix or
// from the Debian package, and starts it from the home folder.
#include "support/Command.h"
#include "support/PlayerTest.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Built by appending: GCC 12 warns falsely about "'" + std::string.
std::string quoted(const fs::path& path) {
    std::string text(1, '\'');
    text += path.string();
    text += '\'';
    return text;
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

TEST_F(InstalledGame, FromTheDebianPackage) {
    const fs::path packages = temp.path() / "packages";
    const CommandResult cpack = runCommand(std::string(KORV_CPACK) + " -G DEB --config '" KORV_BINARY_DIR
                                           "/CPackConfig.cmake' -B " + quoted(packages));
    ASSERT_EQ(cpack.status, 0) << cpack.out << cpack.err;
    fs::path package;
    for (const auto& file : fs::directory_iterator(packages))
        if (file.path().extension() == ".deb") package = file.path();
    const std::string listing = runCommand("dpkg-deb -c " + quoted(package)).out;
    for (const char* file : {"./usr/games/korvandeltix", "./usr/share/games/korvandeltix/Images/Menu/menu.png",
                             "./usr/share/games/korvandeltix/Meshes/Arena/arena.x",
                             "./usr/share/applications/korvandeltix.desktop",
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
    const auto game = start((root / "usr/games/korvandeltix").string(), home.string(), environment);
    EXPECT_TRUE(waitFor(picturesAt(640)));
    keepLook("package_intro");
    close(*game);
}

}  // namespace
