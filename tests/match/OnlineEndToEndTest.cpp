#include "menus/GameDirectory.h"
#include "support/NetRelay.h"
#include "support/PlayerTest.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <thread>
#include <string>
#include <vector>

namespace {


// Where each player's points stand in the score lines at 640 x 480, clear
// of the set clock between them.
constexpr int POINTS_TOP = 10, POINTS_BOTTOM = 40;
constexpr int PLAYER_ONE_LEFT = 30, PLAYER_ONE_RIGHT = 220;
constexpr int PLAYER_TWO_LEFT = 440, PLAYER_TWO_RIGHT = 610;
constexpr int LOB_HOLD_MS = 800;

int pointsChanged(const Screen& now, const Screen& before) {
    return now.changedFrom(before, PLAYER_ONE_LEFT, POINTS_TOP, PLAYER_ONE_RIGHT, POINTS_BOTTOM) +
           now.changedFrom(before, PLAYER_TWO_LEFT, POINTS_TOP, PLAYER_TWO_RIGHT, POINTS_BOTTOM);
}

// Two copies of the game, each with its own run folder, on one X server:
// one hosts, the other joins by the command line. Their windows stand side
// by side, each typed at once it has the keyboard.
class OnlineEndToEndTest : public PlayerTest {
protected:
    GameDirectory hostDirectory;
    GameDirectory joinDirectory;
    TempDirectory elsewhere;
    const std::string hostGame = copyGameInto(hostDirectory.path);
    const std::string joinGame = copyGameInto(joinDirectory.path);
    const std::vector<std::string> environment{"DISPLAY=" + server.display(), "ALSOFT_DRIVERS=null"};

    void typeInto(unsigned long target, const std::string& key) {
        server.focus(target);
        window = target;
        press(key);
    }
    Screen lookAt(unsigned long target) {
        window = target;
        return look();
    }
    bool bothShow(unsigned long host, unsigned long join, const std::function<bool(const Screen&)>& shown) {
        return waitFor([&](const Screen&) { return shown(lookAt(host)) && shown(lookAt(join)); }, LOADING_TIMEOUT_MS);
    }
};

TEST_F(OnlineEndToEndTest, TwoGamesPlayALobAndBothShowTheSameScore) {
    // A port the system has just given out on the loopback address, free again.
    std::uint16_t port = 0;
    ASSERT_EQ(::close(openLoopbackSocket(port)), 0);
    const auto host = start(hostGame, elsewhere.path().string(), environment, {"--host", std::to_string(port)});
    const unsigned long hostWindow = window;
    ASSERT_NE(hostWindow, 0u);
    ASSERT_TRUE(waitFor(picturesAt(640), LOADING_TIMEOUT_MS)) << "the waiting page";
    const auto join = std::make_unique<ChildProcess>(joinGame, elsewhere.path().string(), environment,
                                                     std::vector<std::string>{"--join", "127.0.0.1:" + std::to_string(port)});
    const unsigned long joinWindow = server.findWindow("Korvandeltix", LOADING_TIMEOUT_MS, hostWindow);
    ASSERT_NE(joinWindow, 0u) << join->standardError();
    xdotool("windowmove " + std::to_string(joinWindow) + " 800 100");

    // Both reach the characters page: the joiner (player 2) locks the small
    // robot, the host (player 1) the big one, each with their own G.
    const auto charactersPage = [](const Screen& s) { return s.count(150, 190, 300, 215, isRed) > 30; };
    ASSERT_TRUE(bothShow(hostWindow, joinWindow, charactersPage)) << host->standardError() << join->standardError();
    typeInto(joinWindow, "g");
    typeInto(hostWindow, "s");
    typeInto(hostWindow, "g");
    ASSERT_TRUE(bothShow(hostWindow, joinWindow, scoreShown)) << "the match on both machines";
    const Screen before = lookAt(hostWindow);

    // Player 1 walks onto the disc served on their half and lobs it over
    // player 2, who stands still: a lob that lands scores on both screens.
    server.focus(hostWindow);
    window = hostWindow;
    xdotool("keydown d");
    std::this_thread::sleep_for(std::chrono::milliseconds(LOB_HOLD_MS));
    xdotool("keyup d");
    press("h");
    const bool scored = waitFor([&](const Screen&) {
        const Screen hostSees = lookAt(hostWindow);
        return pointsChanged(hostSees, before) > 20 && pointsChanged(lookAt(joinWindow), hostSees) == 0;
    });
    EXPECT_TRUE(scored) << "player 1's points, the same on both screens";
}

}  // namespace
