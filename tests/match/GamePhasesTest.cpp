// The game's phases as the main loop runs them, and the match view they draw.
#include "assets/FontManager.h"
#include "assets/MeshManager.h"
#include "match/MatchWorld.h"
#include "match/SceneDrawing.h"
#include "menus/MainMenu.h"
#include "menus/MenuOptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

const auto never = [] { return false; };

std::string pageTitle(const Game& game) { return game.menu ? game.menu->getTitle() : ""; }
// Whether the game's and the menu's music play.
std::pair<bool, bool> musics(const Game& game) {
    return {MatchWorld::isPlaying(game.musicGame), MatchWorld::isPlaying(game.musicMenu)};
}

// The names in a registry in order, each empty entry marked with a '!'.
template <class Registry>
std::string loaded(const Registry& registry) {
    std::string names;
    for (const auto& [name, held] : registry) names += " " + name + (held ? "" : "!");
    return names;
}

// Moves the main menu's highlight to an item and chooses it with G.
void choose(MatchWorld& world, int item) {
    while (world.game.menu->selected != item) world.tap(Down, 1);
    world.tap(Action1, 1);
}

TEST(MenuPhaseTest, FromTheIntroThroughThePagesToMatchesThatStartFromZero) {
    MatchWorld world(MatchWorld::StartUp::LoadingBehindTheIntro);
    Game& game = world.game;
    EXPECT_EQ(pageTitle(game), "MenuIntro");
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicIntro));
    // Skipped before the loading behind it is done: the main menu waits for
    // it; a press made meanwhile is left for it, and the skipping key still
    // held does not also choose Play there.
    world.keys.hold(KeyCode::Return);
    world.loopStep();
    EXPECT_FALSE(game.assetsLoaded());
    world.loopStep();
    EXPECT_EQ(pageTitle(game), "MenuIntro");
    world.keys.hold(Action1, 1);
    for (int step = 0; step < 10000 && pageTitle(game) == "MenuIntro"; ++step) {
        world.loopStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(world.keys.control(Action1, 1), Active);
    world.keys.release(Action1, 1);
    world.loopStep();
    world.keys.release(KeyCode::Return);
    world.loopStep();
    ASSERT_EQ(pageTitle(game), "Menu");
    // The intro's music is gone once the main menu shows.
    EXPECT_EQ(loaded(game.textures->textures) + " |" + loaded(game.sounds->sounds) + " |" +
                  loaded(game.fonts->fonts) + " |" + loaded(game.meshes->meshes),
              " 2points 3points 5points draw intro1 intro2 intro3 menu p1WonGame p1WonSet"
              " p2WonGame p2WonSet timesup | beep beep2 musicGame musicMenu |"
              " arial arialBig arialMenu arialTitle | arena");
    EXPECT_EQ(std::tuple(game.musicIntro == nullptr, musics(game)), std::tuple(true, std::pair(false, true)));

    choose(world, MainMenu::ABOUT);
    EXPECT_EQ(pageTitle(game), "About");
    world.tap(Action1, 2);
    EXPECT_EQ(pageTitle(game), "Menu");

    // Options, its controls page, and back to where the player left.
    choose(world, MainMenu::OPTIONS);
    world.tap(Up, 1);
    world.tap(Up, 1);
    world.tap(Action1, 1);
    EXPECT_EQ(pageTitle(game), "Controls");
    world.tap(Up, 1);
    world.tap(Action1, 1);
    ASSERT_EQ(pageTitle(game), "Options");
    EXPECT_EQ(game.menu->selected, MenuOptions::CONTROLS);
    world.tap(Down, 1);
    world.tap(Action1, 1);
    EXPECT_EQ(pageTitle(game), "Menu");

    choose(world, MainMenu::PLAY);
    EXPECT_EQ(pageTitle(game), "Character");
    world.tap(Action1, 1);  // player 1 locks a robot
    world.tap(Up, 2);
    world.tap(Action1, 2);  // player 2 goes back
    EXPECT_EQ(pageTitle(game), "Menu");

    // Two choices start the match with the game music.
    choose(world, MainMenu::PLAY);
    world.tap(Down, 1);
    world.tap(Action1, 1);
    world.tap(Action1, 2);
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_EQ(std::pair(game.match.robot1.model, game.match.robot2.model), std::pair(int(ModelBig), int(ModelSmall)));
    EXPECT_EQ(musics(game), std::pair(true, false));
    world.discHeldByPlayer1();
    std::tie(game.match.score, game.match.setsWon) = std::pair(std::array{12, 3}, std::array{1, 1});
    world.runUntil(never, 500);

    // Escape pauses; still held, the pause page ignores it, and time passes
    // on the page only; Return resumes with everything kept.
    world.keys.hold(KeyCode::Escape);
    world.loopStep();
    ASSERT_EQ(pageTitle(game), "Pause");
    EXPECT_EQ(musics(game), std::pair(false, true));
    const int clock = game.match.timeLeft;
    const double x1 = game.match.robot1.x, y2 = game.match.robot2.y;
    world.runUntil(never, 1000);
    world.keys.hold(KeyCode::Return);
    world.loopStep();
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_EQ(musics(game), std::pair(true, false));
    EXPECT_EQ(std::tuple(game.match.timeLeft, game.match.score, game.match.setsWon, game.match.robot1.x, game.match.robot2.y),
              std::tuple(clock, std::array{12, 3}, std::array{1, 1}, x1, y2));
    // Escape still held since the pause: no second pause until released.
    world.keys.release(KeyCode::Return);
    world.runUntil(never, 200);
    EXPECT_EQ(game.menu, nullptr);
    world.keys.release(KeyCode::Escape);
    world.loopStep();

    // Paused again, in the step of a goal, and left for the menu: the next
    // match starts from nothing, without that goal's message.
    world.tap(KeyCode::Escape);
    ASSERT_EQ(pageTitle(game), "Pause");
    game.match.message = {true, Picture3Points, 1000, 1000};
    world.tap(Down, 1);
    world.tap(Action1, 1);
    ASSERT_EQ(pageTitle(game), "Menu");

    choose(world, MainMenu::PLAY);
    world.tap(Action1, 1);
    world.tap(Action1, 2);
    ASSERT_EQ(game.menu, nullptr);
    // Robots on their start spots; player 1's lies just outside its limit,
    // so one step puts it at 5.89.
    EXPECT_EQ(std::tuple(game.match.score, game.match.setsWon, game.match.flow, game.match.robot1.x, game.match.robot2.x, game.match.frisbee.state, game.match.message.shown),
              std::tuple(std::array{0, 0}, std::array{0, 0}, FlowPlaying, 5.89, -6.0, int(FrisbeeDropping), false));
    EXPECT_NEAR(game.match.timeLeft, SET_TIME_MS - 16.5, 16.5);
}

TEST(PlayPhaseTest, FocusLossPausesAfterTheMessageAndTheClockWaitsForTheCatch) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(12);
    world.discHeldByPlayer1();
    game.match.message = {true, Picture3Points, 300, 300};
    pauseOnFocusLoss();
    world.loopStep();
    EXPECT_EQ(game.menu, nullptr) << "the message runs on";
    ASSERT_TRUE(world.runUntil([&] { return game.menu != nullptr; }, 1000));
    EXPECT_EQ(pageTitle(game), "Pause");

    // Lost again while the page shows: back in the match, play goes on.
    pauseOnFocusLoss();
    world.tap(KeyCode::Return);
    world.runUntil(never, 200);
    EXPECT_EQ(game.menu, nullptr);

    game.startMatch(22);
    Frisbee& disc = game.match.frisbee;
    MatchEvents served;
    disc.serve(1, served);  // drops on player 2's half, at x = -4
    world.runUntil(never, 3000);
    // The clock stands still until the catch.
    EXPECT_EQ(std::pair(disc.state, game.match.timeLeft), std::pair(int(FrisbeeResting), SET_TIME_MS));

    // Player 2 runs to the disc and picks it up: the step of the catch counts.
    world.keys.hold(Left, 2);
    ASSERT_TRUE(world.runUntil([&] { return disc.state == FrisbeeHeld; }, 3000));
    EXPECT_EQ(std::pair(disc.owner, game.match.timeLeft), std::pair(2, SET_TIME_MS - 33));
    world.loopStep(20);
    EXPECT_EQ(game.match.timeLeft, SET_TIME_MS - 53);
}

using Messages = std::vector<std::string>;
using Pair = std::array<int, 2>;

// A match of two big robots at this score and these sets, then a goal by
// the given player (0: the clock runs out instead), and the messages on
// screen one after another until play or a page follows: each message's
// picture and the 33 ms steps it lasted. Both robots must stand on their
// spots after every message.
Messages messagesAfter(MatchWorld& world, Pair score, Pair sets, int scorer, double y = 0.0) {
    Game& game = world.game;
    game.startMatch(11);
    std::tie(game.match.score, game.match.setsWon, game.match.robot1.x, game.match.robot2.y) = std::tuple(score, sets, 3.0, -2.0);
    Frisbee& disc = game.match.frisbee;
    if (scorer)  // a flat throw about to cross the other's goal line
        std::tie(disc.state, disc.owner, disc.x, disc.y, disc.z, disc.velocityX) =
            std::tuple(int(FrisbeeGliding), scorer, scorer == 1 ? -6.45 : 6.45, y, -4.9, scorer == 1 ? -5.0 : 5.0);
    else
        world.discHeldByPlayer1();
    if (!scorer) game.match.timeLeft = 10;  // runs out in the first step
    world.loopStep();
    Messages shown;
    const MatchMessage& message = game.match.message;
    const auto showing = [&] { return message.shown && !game.menu; };
    while (showing() && shown.size() < 5) {
        const char* picture = messagePictureName(message.picture);
        const std::string name = picture ? picture : "?";
        // A message made at the end of another has all its time ahead.
        int steps = 1;
        for (world.loopStep(33); showing() && steps < 1000 &&
                                 message.remainingMs < message.durationMs;
             ++steps)
            world.loopStep(33);
        shown.push_back(name + " " + std::to_string(steps));
        const Robot &r1 = game.match.robot1, &r2 = game.match.robot2;
        EXPECT_EQ(std::tuple(r1.x, r1.y, r1.state, r2.x, r2.y, r2.state),
                  std::tuple(6.0, 0.0, RobotFree, -6.0, 0.0, RobotFree)) << "after " << name;
    }
    return shown;
}

TEST(NotificationPhaseTest, GoalsAndSetsLetPlayGoOnUntilTheSecondSetWinsTheMatch) {
    MatchWorld world;
    Game& game = world.game;
    const int clock = SET_TIME_MS - 33;  // the step of the throw counts
    EXPECT_EQ(messagesAfter(world, {0, 0}, {0, 0}, 2), (Messages{"5points 31"}));
    EXPECT_EQ(std::tuple(game.match.score, game.match.flow, game.match.timeLeft), std::tuple(Pair{0, 5}, FlowPlaying, clock))
        << "the match stands still under a message";
    world.loopStep();  // served on the half of the player who did not score
    EXPECT_EQ(std::pair(game.match.frisbee.state, game.match.frisbee.x), std::pair(int(FrisbeeDropping), 4.0));

    EXPECT_EQ(messagesAfter(world, {18, 12}, {0, 0}, 1, 1.5), (Messages{"3points 31", "p1WonSet 61"}));
    EXPECT_EQ(std::tuple(game.match.setsWon, game.match.score, game.match.flow, game.match.timeLeft),
              std::tuple(Pair{1, 0}, Pair{0, 0}, FlowPlaying, clock))
        << "the clock runs on into the next set";

    // At a draw no set is won; served by player 2, the disc drops on player
    // 1's half and only player 1 may catch it before it lands.
    EXPECT_EQ(messagesAfter(world, {7, 7}, {1, 0}, 0), (Messages{"timesup 31", "draw 61"}));
    EXPECT_EQ(std::tuple(game.match.setsWon, game.match.score, game.match.flow, game.match.timeLeft),
              std::tuple(Pair{1, 0}, Pair{0, 0}, FlowNextSet, SET_TIME_MS));
    const Frisbee& disc = game.match.frisbee;
    EXPECT_EQ(std::tuple(disc.state, disc.x, disc.owner, disc.visible), std::tuple(int(FrisbeeDropping), 4.0, 2, true));

    // 17 and 3 make exactly the 20 points a set needs; or the clock runs
    // out at 3 to 9.
    for (const auto& [score, scorer] : {std::pair{Pair{5, 17}, 2}, {Pair{3, 9}, 0}}) {
        SCOPED_TRACE(scorer ? "on points" : "on time");
        Game::switchMusic(game.musicMenu, game.musicGame);
        EXPECT_EQ(messagesAfter(world, score, {0 + !scorer, 1}, scorer, 1.0),
                  (Messages{scorer ? "3points 31" : "timesup 31", "p2WonSet 61", "p2WonGame 91"}));
        EXPECT_EQ(pageTitle(game), "Menu");
        EXPECT_EQ(musics(game), std::pair(false, true));
    }
}

using Kind = DeviceCall::Kind;

TEST(SceneDrawingTest, MatchViewThenMessageThenScoreAndClock) {
    MatchWorld world;
    RecordingDevice& device = *world.screen.device;
    Game& game = world.game;
    game.startMatch(11);
    // Whole seconds left, never rounded up.
    std::tie(game.match.score, game.match.setsWon, game.match.timeLeft) = std::tuple(Pair{20, 5}, Pair{1, 0}, 98999);
    game.match.message = {true, Picture5Points, 1000, 875};
    device.clearCalls();
    drawScene();

    EXPECT_GT(device.count(Kind::DrawSubset), 0u) << "arena, robots and disc";
    // 3D first, then the message in its sprite batch, then the three texts,
    // without the state changes between.
    std::vector<Kind> kinds;
    for (const DeviceCall& call : device.calls)
        if (!kinds.empty() || call.kind == Kind::SpriteBegin)
            if (call.kind != Kind::Transform && call.kind != Kind::RenderState &&
                call.kind != Kind::Material && call.kind != Kind::Texture)
                kinds.push_back(call.kind);
    ASSERT_EQ(kinds,
              (std::vector<Kind>{Kind::SpriteBegin, Kind::SpriteTransform, Kind::SpriteDraw,
                                 Kind::SpriteEnd, Kind::Text, Kind::Text, Kind::Text}));

    const DeviceCall* message = device.last(Kind::SpriteDraw);
    EXPECT_EQ(message->texture, world.picture("5points"));
    EXPECT_EQ(std::tuple(message->topLeft.x, message->topLeft.y, message->bottomRight.x, message->bottomRight.y),
              std::tuple(160.f, 120.f, 480.f, 360.f));

    const auto texts = world.screen.texts();
    EXPECT_EQ(texts[0]->text, "Player One : 20 Pts - 1 sets");
    EXPECT_TRUE(drawnIn(texts[0], 30, 10, 330, 200, DT_LEFT | DT_TOP, WHITE));
    EXPECT_EQ(texts[1]->text, "Player Two : 5 Pts - 0 sets");
    EXPECT_TRUE(drawnIn(texts[1], 310, 10, 610, 200, DT_RIGHT, WHITE));
    EXPECT_EQ(texts[2]->text, "Time\n98");
    EXPECT_TRUE(drawnIn(texts[2], 220, 10, 420, 200, DT_CENTER, WHITE));
}

}  // namespace
