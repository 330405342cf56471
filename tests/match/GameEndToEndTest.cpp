#include "menus/GameDirectory.h"
#include "support/PlayerTest.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int START_TIMEOUT_MS = 60000;

// A copy of the run folder, started from a folder that is not its own.
class GameEndToEndTest : public PlayerTest {
protected:
    GameDirectory directory;
    TempDirectory elsewhere;
    const std::string game = copyGameInto(directory.path);
    const std::vector<std::string> environment{"DISPLAY=" + server.display(), "ALSOFT_DRIVERS=null"};
};

TEST_F(GameEndToEndTest, APersonPlaysThroughTheWholeGame) {
    const auto run = start(game, elsewhere.path().string(), environment);
    ASSERT_NE(window, 0u);

    // The intro: pictures, neither the clear grey nor a menu. Then Options:
    // one resolution forward, and "Return to main menu" saves beside the game.
    ASSERT_TRUE(waitFor(picturesAt(640), LOADING_TIMEOUT_MS));
    chooseTheNextResolution();
    const fs::path settings = fs::path(directory.path) / "Data" / "config.ini";
    ASSERT_TRUE(waitFor([&](const Screen&) { return fs::exists(settings); }));
    EXPECT_FALSE(fs::exists(elsewhere.path() / "Data"));
    ASSERT_TRUE(waitFor([&](const Screen&) { return directory.settingsLines().size() == 5; }));
    EXPECT_EQ(directory.settingsLines(), (std::vector<std::string>{"[Screen]", "width=800", "height=600",
                                               "multisample=0", "fullscreen=0"}));

    // Back on the main menu with "Play" highlighted: the characters page,
    // one choice by each player, and the match.
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, MAIN_MENU_ITEMS); }));
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return !highlightOn(s, 0, MAIN_MENU_ITEMS); }));
    press("g");
    press("Control_R");  // player 2 on a keyboard without a numeric pad
    ASSERT_TRUE(waitFor(scoreShown)) << "the score lines of the match view";
    const Screen before = look();
    // Player 1 (on the left of the screen) runs up, player 2 down: both
    // robots are drawn where they stand. Held until both have moved away,
    // however slowly the loaded machine runs the game.
    xdotool("keydown w keydown Down");
    const bool bothMoved = waitFor([&](const Screen& s) {
        return s.changedFrom(before, 20, 140, 110, 340) > 200 &&
               s.changedFrom(before, 530, 140, 620, 340) > 200;
    });
    xdotool("keyup w keyup Down");
    EXPECT_TRUE(bothMoved) << "the robots at (6, 0) and (-6, 0)";
    EXPECT_GT(before.distinctColours(), 200) << "the arena";

    // Escape pauses: the page hides the match; Return resumes.
    press("Escape");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 2) && !scoreShown(s); }));
    press("Return");
    ASSERT_TRUE(waitFor(scoreShown));

    // Another window takes the keyboard: the match pauses as with Escape.
    server.focus(0);
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 2) && !scoreShown(s); }));
    server.focus(window);
    press("Return");
    ASSERT_TRUE(waitFor(scoreShown));

    // Pause again and leave for the main menu, then "Exit" ends the game.
    press("Escape");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, 2); }));
    press("s");
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, MAIN_MENU_ITEMS); }));
    press("w");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, MAIN_MENU_ITEMS - 1, MAIN_MENU_ITEMS); }));
    press("Return");
    EXPECT_EQ(run->wait(30000), std::optional<int>(0)) << run->standardError();

    // The match left from the pause page was kept, in a folder the game
    // made beside itself, and plays back on its own: the match view, then
    // the end of the program with the end of the replay.
    const std::vector<fs::path> replays = directory.replays();
    ASSERT_EQ(replays.size(), 1u);
    const auto watched = start(game, elsewhere.path().string(), environment, {"--replay", replays[0].string()});
    EXPECT_TRUE(waitFor(scoreShown, LOADING_TIMEOUT_MS)) << "the recorded match";
    EXPECT_EQ(watched->wait(60000), std::optional<int>(0)) << watched->standardError();

    // The next start opens at the saved size, at (100, 100), with its pictures.
    const auto again = start(game, elsewhere.path().string(), environment);
    EXPECT_TRUE(waitFor(picturesAt(800), LOADING_TIMEOUT_MS));
    const XServer::Geometry g = server.geometry(window);
    EXPECT_EQ((std::array{g.x, g.y, g.width, g.height}), (std::array{100, 100, 800, 600}));
    keepLook("run_folder_next_start");
    close(*again);
}

// Dragged to any size, a window shows the picture as full screen does: the
// back buffer's 640 x 480 in the largest centred rectangle of its
// proportions, black bars beside it. It never gets smaller than 320 x 240.
TEST_F(GameEndToEndTest, AWindowDraggedToAnySizeShowsThePictureFittedBetweenBlackBars) {
    const auto run = start(game, elsewhere.path().string(), environment);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(waitFor(picturesAt(640), LOADING_TIMEOUT_MS));
    press("Return");
    ASSERT_TRUE(waitFor([](const Screen& s) { return highlightOn(s, 0, MAIN_MENU_ITEMS); }));
    const Screen unscaled = look();

    struct Case { int width, height, left, top, right, bottom; };
    for (const Case c : {Case{960, 480, 160, 0, 800, 480}, Case{640, 720, 0, 120, 640, 600},
                         Case{1000, 700, 33, 0, 966, 700}}) {
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        SCOPED_TRACE(size);
        xdotool("windowsize " + std::to_string(window) + " " + std::to_string(c.width) + " " +
                std::to_string(c.height));
        // All black outside the picture, and its own first and last rows and
        // columns drawn.
        const auto fitted = [&](const Screen& s) {
            const int pictureArea = (c.right - c.left) * (c.bottom - c.top);
            const auto notBlack = [](int r, int g, int b) { return !isBlack(r, g, b); };
            return s.width == c.width && s.height == c.height &&
                   s.count(0, 0, c.width, c.height, isBlack) == c.width * c.height - pictureArea &&
                   s.count(c.left, c.top, c.left + 1, c.bottom, notBlack) == c.bottom - c.top &&
                   s.count(c.right - 1, c.top, c.right, c.bottom, notBlack) == c.bottom - c.top &&
                   s.count(c.left, c.top, c.right, c.top + 1, notBlack) == c.right - c.left &&
                   s.count(c.left, c.bottom - 1, c.right, c.bottom, notBlack) == c.right - c.left;
        };
        EXPECT_TRUE(waitFor(fitted));
        keepLook("window_" + size);
    }
    // Not scaled at its own size: pixel for pixel the window it was.
    xdotool("windowsize " + std::to_string(window) + " 960 480");
    EXPECT_TRUE(waitFor([&](const Screen& s) {
        return s.width == 960 && s.part(160, 640).pixels == unscaled.pixels;
    }));

    // A window manager lets it be dragged no smaller; here, with none, it
    // grows back.
    const XServer::SizeLimits limits = server.sizeLimits(window);
    EXPECT_EQ((std::array{limits.minWidth, limits.minHeight, limits.maxWidth, limits.maxHeight}),
              (std::array{320, 240, 0, 0}));
    xdotool("windowsize " + std::to_string(window) + " 200 100");
    EXPECT_TRUE(waitFor([&](const Screen&) {
        const XServer::Geometry g = server.geometry(window);
        return g.width == 320 && g.height == 240;
    }));
    close(*run);
}

// Full screen keeps the desktop's resolution: the configured size is the
// picture's, scaled to the largest centred rectangle of its proportions.
TEST_F(GameEndToEndTest, FullScreenCoversTheDesktopWithThePictureKeptAndAltEnterLeavesIt) {
    struct Case {
        int width, height;
        int left, pictureWidth;  // across the screen; the picture takes its whole height
    };
    for (const Case c : {Case{640, 480, 160, 1600}, Case{1680, 1050, 0, 1920}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        writeTextFile(directory.temp.file("Data/config.ini"),
                      "[Screen]\nwidth=" + std::to_string(c.width) + "\nheight=" +
                          std::to_string(c.height) + "\nfullscreen=1\n");
        const auto run = start(game, elsewhere.path().string(), environment);
        ASSERT_NE(window, 0u);
        const auto picture = [&](const Screen& s) { return s.part(c.left, c.pictureWidth); };
        // Start-up draws the picture at the full size of the screen, slowly
        // on a loaded machine.
        ASSERT_TRUE(waitFor([&](const Screen& s) {
            return s.width == SCREEN_WIDTH && s.height == SCREEN_HEIGHT && picture(s).distinctColours() > 50;
        }, START_TIMEOUT_MS)) << "the intro";
        press("Return");
        ASSERT_TRUE(waitFor([&](const Screen& s) { return highlightOn(picture(s), 0, MAIN_MENU_ITEMS); }));
        keepLook("fullscreen_" + std::to_string(c.width) + "x" + std::to_string(c.height));
        const XServer::Geometry g = server.geometry(window);
        EXPECT_EQ((std::array{g.x, g.y}), (std::array{0, 0}));
        const Screen shown = look();
        EXPECT_EQ(shown.count(0, 0, c.left, SCREEN_HEIGHT, isBlack) +
                      shown.count(c.left + c.pictureWidth, 0, SCREEN_WIDTH, SCREEN_HEIGHT, isBlack),
                  c.left * SCREEN_HEIGHT * 2)
            << "black bars";

        // Held until the window changes, however slowly the loaded machine runs.
        xdotool("keydown alt+Return");
        EXPECT_TRUE(waitFor([&](const Screen& s) { return s.width == c.width && s.height == c.height; }))
            << "the window of the configured size again";
        xdotool("keyup alt+Return");
        close(*run);
    }
}

}  // namespace
