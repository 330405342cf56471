// The game's phases as the main loop runs them, and the match view they draw.
#include "assets/FontManager.h"
#include "assets/MeshManager.h"
#include "match/MatchWorld.h"
#include "match/SceneDrawing.h"
#include "menus/MainMenu.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

const auto never = [] { return false; };

std::string pageTitle(const Game& game) { return game.menu ? game.menu->getTitle() : ""; }

// The names in a registry, each with whether it holds something.
template <class Registry>
std::map<std::string, bool> entries(const Registry& registry) {
    std::map<std::string, bool> names;
    for (const auto& [name, held] : registry) names[name] = held != nullptr;
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
    EXPECT_EQ(game.menu->selected, 1);
    const std::map<std::string, bool> pictures = {
        {"2points", true},   {"3points", true},   {"5points", true},  {"draw", true},
        {"intro1", true},    {"intro2", true},    {"intro3", true},   {"menu", true},
        {"p1WonGame", true}, {"p1WonSet", true},  {"p2WonGame", true}, {"p2WonSet", true},
        {"timesup", true}};
    EXPECT_EQ(entries(game.textures->textures), pictures);
    EXPECT_EQ(entries(game.sounds->sounds),
              (std::map<std::string, bool>{
                  {"beep", true}, {"beep2", true}, {"musicGame", true}, {"musicMenu", true}}));
    EXPECT_EQ(entries(game.fonts->fonts),
              (std::map<std::string, bool>{
                  {"arial", true}, {"arialBig", true}, {"arialMenu", true}, {"arialTitle", true}}));
    ASSERT_EQ(entries(game.meshes->meshes), (std::map<std::string, bool>{{"arena", true}}));
    const Mesh& arena = *game.meshes->getMesh("arena");
    EXPECT_GT(arena.materialCount, 0u);
    for (const auto& picture : arena.materialTextures) EXPECT_NE(picture, nullptr);
    EXPECT_EQ(game.beep, game.sounds->sounds.at("beep2").get());
    EXPECT_EQ(game.musicIntro, nullptr);
    EXPECT_EQ(game.sounds->sounds.count("musicIntro"), 0u);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));

    choose(world, MainMenu::ABOUT);
    EXPECT_EQ(pageTitle(game), "About");
    world.tap(Action1, 2);
    EXPECT_EQ(pageTitle(game), "Menu");
    EXPECT_EQ(game.menu->selected, 1) << "every visit starts fresh";

    choose(world, MainMenu::PLAY);
    EXPECT_EQ(pageTitle(game), "Character");
    world.tap(Action1, 1);  // player 1 locks a robot
    world.tap(Up, 2);
    world.tap(Action1, 2);  // player 2 goes back
    EXPECT_EQ(pageTitle(game), "Menu");
    EXPECT_EQ(game.menu->selected, 1);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));

    // Two choices start the match with the game music; after leaving it
    // paused, the next match starts from nothing.
    choose(world, MainMenu::PLAY);
    world.tap(Down, 1);
    world.tap(Action1, 1);
    world.tap(Action1, 2);
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_EQ(game.robot1->model, ModelBig);  // code 12
    EXPECT_EQ(game.robot2->model, ModelSmall);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicGame));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicMenu));
    world.discHeldByPlayer1();
    game.score = {12, 3};
    game.setsWon = {1, 1};
    world.runUntil(never, 500);
    world.tap(KeyCode::Escape);
    ASSERT_EQ(pageTitle(game), "Pause");
    world.tap(Down, 1);
    world.tap(Action1, 1);
    ASSERT_EQ(pageTitle(game), "Menu");
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));

    choose(world, MainMenu::PLAY);
    world.tap(Action1, 1);
    world.tap(Action1, 2);
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.setsWon, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(game.flow, Game::FlowPlaying);
    // On their start spots; player 1's lies just outside its limit, so one step puts it at 5.89.
    EXPECT_EQ(std::tuple(game.robot1->x, game.robot2->x), std::tuple(5.89, -6.0));
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_LE(game.timeLeft, Game::SET_TIME_MS);
    EXPECT_GE(game.timeLeft, Game::SET_TIME_MS - 33);
}

TEST(PlayPhaseTest, ClockWaitsForTheCatchAndPlayerTwoThrowsAFivePointGoal) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(22);
    Frisbee& disc = *game.frisbee;
    disc.serve(1);  // drops on player 2's half, at x = -4
    world.keys.hold(Up, 1);  // player 1 steps out of the way of the throw
    world.runUntil(never, 3000);
    EXPECT_EQ(disc.state, FrisbeeResting);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS) << "the clock stands still until the catch";

    // Player 2 runs to the disc and picks it up: the step of the catch counts.
    world.keys.hold(Left, 2);
    ASSERT_TRUE(world.runUntil([&] { return disc.state == FrisbeeHeld; }, 3000));
    EXPECT_EQ(disc.owner, 2);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS - 33);
    world.loopStep(20);
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS - 53);
    world.keys.release(Left, 2);
    world.runUntil(never, 400);
    ASSERT_LT(std::abs(game.robot2->y), 0.6)
        << "a straight throw must cross the line near its centre";

    world.keys.hold(Action1, 2);
    ASSERT_TRUE(world.runUntil([&] { return game.notification != nullptr; }, 3000));
    EXPECT_EQ(game.score, (std::array<int, 2>{0, 5}));
    EXPECT_EQ(world.messagePicture(), world.picture("5points"));
    EXPECT_NE(world.messagePicture(), nullptr);
    EXPECT_EQ(game.flow, Game::FlowPlaying);
}

TEST(PlayPhaseTest, EscapePausesAndReturnResumesWithEverythingKept) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(12);
    world.discHeldByPlayer1();
    game.score = {7, 4};
    game.setsWon = {1, 0};
    world.runUntil(never, 330);

    world.keys.hold(KeyCode::Escape);
    world.loopStep();
    ASSERT_NE(game.menu, nullptr);
    EXPECT_EQ(game.menu->getTitle(), "Pause");
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));
    const int clock = game.timeLeft;
    const double x1 = game.robot1->x, y2 = game.robot2->y;

    // Escape held on: the pause page ignores it; time passes on the page only.
    world.runUntil(never, 1000);
    world.keys.hold(KeyCode::Return);
    world.loopStep();
    ASSERT_EQ(game.menu, nullptr);
    EXPECT_TRUE(MatchWorld::isPlaying(game.musicGame));
    EXPECT_FALSE(MatchWorld::isPlaying(game.musicMenu));
    EXPECT_EQ(std::tuple(game.timeLeft, game.score, game.setsWon, game.robot1->x, game.robot2->y),
              std::tuple(clock, std::array{7, 4}, std::array{1, 0}, x1, y2));

    // Escape still held since the pause: no second pause until released.
    world.keys.release(KeyCode::Return);
    world.runUntil(never, 200);
    EXPECT_EQ(game.menu, nullptr);
    world.keys.release(KeyCode::Escape);
    world.loopStep();
    world.keys.hold(KeyCode::Escape);
    world.loopStep();
    EXPECT_NE(game.menu, nullptr);
}

TEST(PlayPhaseTest, LosingTheFocusPausesOnceAfterTheMessageShowing) {
    MatchWorld world;
    Game& game = world.game;
    game.startMatch(12);
    world.discHeldByPlayer1();
    game.notification = game.makeNotification("3points", 300);
    pauseOnFocusLoss();
    world.loopStep();
    EXPECT_EQ(game.menu, nullptr) << "the message runs on";
    ASSERT_TRUE(world.runUntil([&] { return game.menu != nullptr; }, 1000));
    EXPECT_EQ(game.menu->getTitle(), "Pause");
    EXPECT_EQ(game.notification, nullptr);

    // Lost again while the page shows: back in the match, play goes on.
    pauseOnFocusLoss();
    world.tap(KeyCode::Return);
    world.runUntil(never, 200);
    EXPECT_EQ(game.menu, nullptr);
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
    game.score = score;
    game.setsWon = sets;
    game.robot1->x = 3.0;
    game.robot2->y = -2.0;
    if (scorer)
        world.discInFlight(scorer, scorer == 1 ? -6.45 : 6.45, y, scorer == 1 ? -5.0 : 5.0, 0.0);
    else {
        world.discHeldByPlayer1();
        game.timeLeft = 10;
    }
    world.loopStep();
    Messages shown;
    const auto showing = [&] { return game.notification && !game.menu; };
    while (showing() && shown.size() < 5) {
        std::string name = "?";
        for (const char* picture : {"2points", "3points", "5points", "timesup", "draw", "p1WonSet",
                                    "p2WonSet", "p1WonGame", "p2WonGame"})
            if (world.messagePicture() == world.picture(picture)) name = picture;
        // A message made at the end of another has all its time ahead.
        int steps = 0;
        do {
            world.loopStep(33);
            ++steps;
        } while (showing() && game.notification->remainingMs < game.notification->durationMs &&
                 steps < 1000);
        shown.push_back(name + " " + std::to_string(steps));
        const Robot &r1 = *game.robot1, &r2 = *game.robot2;
        EXPECT_EQ(std::tuple(r1.x, r1.y, r1.state, r2.x, r2.y, r2.state),
                  std::tuple(6.0, 0.0, RobotFree, -6.0, 0.0, RobotFree)) << "after " << name;
    }
    return shown;
}

TEST(NotificationPhaseTest, GoalsAndSetsEndedByTheClockLetPlayGoOn) {
    MatchWorld world;
    Game& game = world.game;
    const int clock = Game::SET_TIME_MS - 33;  // the step of the throw counts
    EXPECT_EQ(messagesAfter(world, {0, 0}, {0, 0}, 2), (Messages{"5points 31"}));
    EXPECT_EQ(game.timeLeft, clock) << "the match stands still under a message";
    world.loopStep();  // served on the half of the player who did not score
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_EQ(game.frisbee->x, 4.0);

    EXPECT_EQ(messagesAfter(world, {18, 12}, {0, 0}, 1, 1.5), (Messages{"3points 31", "p1WonSet 61"}));
    EXPECT_EQ(game.setsWon, (Pair{1, 0}));
    EXPECT_EQ(game.score, (Pair{0, 0}));
    EXPECT_EQ(game.flow, Game::FlowPlaying);
    EXPECT_EQ(game.timeLeft, clock) << "the clock runs on into the next set";

    // At a draw no set is won; served by player 2, the disc drops on player
    // 1's half and only player 1 may catch it before it lands.
    EXPECT_EQ(messagesAfter(world, {7, 7}, {1, 0}, 0), (Messages{"timesup 31", "draw 61"}));
    EXPECT_EQ(game.setsWon, (Pair{1, 0}));
    EXPECT_EQ(game.score, (Pair{0, 0}));
    EXPECT_EQ(game.timeLeft, Game::SET_TIME_MS);
    EXPECT_EQ(game.flow, Game::FlowNextSet);
    EXPECT_EQ(game.frisbee->state, FrisbeeDropping);
    EXPECT_EQ(game.frisbee->x, 4.0);
    EXPECT_EQ(game.frisbee->owner, 2);
    EXPECT_TRUE(game.frisbee->visible);
}

TEST(NotificationPhaseTest, SecondSetOnPointsWinsTheMatch) {
    MatchWorld world;
    Game& game = world.game;
    // 17 and 3 make exactly the 20 points a set needs; or the clock runs
    // out at 3 to 9.
    for (const auto& [score, scorer] : {std::pair{Pair{5, 17}, 2}, {Pair{3, 9}, 0}}) {
        SCOPED_TRACE(scorer ? "on points" : "on time");
        Game::switchMusic(game.musicMenu, game.musicGame);
        EXPECT_EQ(messagesAfter(world, score, {0 + !scorer, 1}, scorer, 1.0),
                  (Messages{scorer ? "3points 31" : "timesup 31", "p2WonSet 61", "p2WonGame 91"}));
        EXPECT_EQ(game.setsWon[1], 2);
        ASSERT_NE(game.menu, nullptr);
        EXPECT_EQ(game.menu->getTitle(), "Menu");
        EXPECT_EQ(game.notification, nullptr);
        EXPECT_TRUE(MatchWorld::isPlaying(game.musicMenu));
        EXPECT_FALSE(MatchWorld::isPlaying(game.musicGame));
    }
}

using Kind = DeviceCall::Kind;

// The kinds of the calls of one frame, without the state changes between.
std::vector<Kind> callKinds(const RecordingDevice& device) {
    std::vector<Kind> kinds;
    for (const DeviceCall& call : device.calls)
        if (call.kind != Kind::Transform && call.kind != Kind::Material &&
            call.kind != Kind::RenderState && call.kind != Kind::Texture)
            kinds.push_back(call.kind);
    return kinds;
}

TEST(SceneDrawingTest, MatchViewThenMessageThenScoreAndClock) {
    MatchWorld world;
    RecordingDevice& device = *world.screen.device;
    Game& game = world.game;
    game.startMatch(11);
    game.score = {20, 5};
    game.setsWon = {1, 0};
    game.timeLeft = 98999;  // whole seconds left, never rounded up
    game.notification = game.makeNotification("5points", 1000);
    game.notification->remainingMs = 875;
    device.clearCalls();
    drawScene();

    EXPECT_GT(device.count(Kind::DrawSubset), 0u) << "arena, robots and disc";
    const std::vector<Kind> kinds = callKinds(device);
    // 3D first, then the message in its sprite batch, then the three texts.
    const auto begin = std::find(kinds.begin(), kinds.end(), Kind::SpriteBegin);
    ASSERT_NE(begin, kinds.end());
    EXPECT_EQ(std::vector<Kind>(begin, kinds.end()),
              (std::vector<Kind>{Kind::SpriteBegin, Kind::SpriteTransform, Kind::SpriteDraw,
                                 Kind::SpriteEnd, Kind::Text, Kind::Text, Kind::Text}));

    const DeviceCall* message = device.last(Kind::SpriteDraw);
    EXPECT_EQ(message->texture, world.picture("5points"));
    EXPECT_EQ(message->color, 0x80FFFFFFu) << "faded in by an eighth of its life";
    EXPECT_EQ((std::array<float, 4>{message->topLeft.x, message->topLeft.y,
                                    message->bottomRight.x, message->bottomRight.y}),
              (std::array<float, 4>{160, 120, 480, 360}));

    const auto texts = world.screen.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, "Player One : 20 Pts - 1 sets");
    EXPECT_TRUE(drawnIn(texts[0], 30, 10, 330, 200, DT_LEFT | DT_TOP, WHITE));
    EXPECT_EQ(texts[1]->text, "Player Two : 5 Pts - 0 sets");
    EXPECT_TRUE(drawnIn(texts[1], 310, 10, 610, 200, DT_RIGHT, WHITE));
    EXPECT_EQ(texts[2]->text, "Time\n98");
    EXPECT_TRUE(drawnIn(texts[2], 220, 10, 420, 200, DT_CENTER, WHITE));
}

}  // namespace
