// The computer as an opponent: where it foresees the disc, whom it beats,
// how soon it answers, what it touches, and one person's way to it.
#include "computer/ComputerPlayer.h"
#include "computer/DiscForecast.h"
#include "match/MatchWorld.h"
#include "menus/MainMenu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

constexpr int STEP = 16;

// Straight flight from (x0, y0), unfolded at the side walls |y| = 2.4.
double closedFormY(double x0, double y0, double velocityX, double velocityY, double lineX) {
    const double y = y0 + velocityY * (lineX - x0) / velocityX;
    const double span = 2.0 * WALL_Y;
    double t = std::fmod(y + WALL_Y, 2.0 * span);
    if (t < 0.0) t += 2.0 * span;
    return (t <= span ? t : 2.0 * span - t) - WALL_Y;
}

TEST(DiscForecastTest, AFlatThrowCrossesALineWhereItsStraightFlightUnfoldedAtTheWallsDoes) {
    // Straight, shallow, steep, off one wall and off both, either way.
    struct Throw { double x, y, velocityX, velocityY, lineX; };
    const Throw throws[] = {{4.0, 1.0, -8.0, 0.0, -5.5},   {4.0, 0.0, -7.0, 2.5, -5.5}, {3.0, -1.0, -4.0, 6.9, -5.0},
                            {-4.0, 2.0, 5.0, 5.0, 5.5},    {-2.0, 0.5, 2.0, -3.5, 5.8}, {5.0, -2.3, -3.0, -4.0, -5.5}};
    for (const Throw& t : throws) {
        Frisbee disc(t.x, t.y, -4.9, t.velocityX, t.velocityY, 0.0);
        disc.state = FrisbeeGliding;
        const std::optional<DiscForecast::Point> crossing = DiscForecast(disc).crossing(t.lineX);
        ASSERT_TRUE(crossing) << &t - throws;
        // The disc stops at a wall within its step, so each bounce may cost
        // up to one step's travel across.
        const double bounceSlack = std::fabs(t.velocityY) * STEP / VELOCITY_TIME_UNIT;
        EXPECT_NEAR(crossing->y, closedFormY(t.x, t.y, t.velocityX, t.velocityY, t.lineX), 2.0 * bounceSlack + 1e-9)
            << &t - throws;
        EXPECT_NEAR(crossing->inMs, (t.lineX - t.x) / t.velocityX * VELOCITY_TIME_UNIT, STEP) << &t - throws;
    }
    // Nothing foreseen for a disc that lands first, or lies still.
    Frisbee lob(2.0, 0.0, -4.9, -1.0, 0.0, 10.0);
    lob.state = FrisbeeLobbed;
    EXPECT_FALSE(DiscForecast(lob).crossing(-5.5));
    lob.state = FrisbeeResting;
    EXPECT_FALSE(DiscForecast(lob).crossing(1.0));
}

// A match of two sides, each the computer at a level or nobody (-1), in
// steps of 16 ms; stops when one side leads by a goal or the match ends.
MatchState play(int level1, int level2, std::uint64_t seed, int longestMs) {
    MatchEvents events;
    MatchState match = MatchState::start(ModelSmall, ModelBig, events);
    std::unique_ptr<ComputerPlayer> sides[] = {level1 < 0 ? nullptr : std::make_unique<ComputerPlayer>(1, level1, seed),
                                               level2 < 0 ? nullptr : std::make_unique<ComputerPlayer>(2, level2, seed + 1)};
    for (int ms = 0; ms < longestMs && !match.over; ms += STEP) {
        ControlStates controls{};
        for (auto& side : sides)
            if (side) side->play(match, STEP, controls);
        events.clear();
        match.step(STEP, controls, events);
        for (auto& side : sides)
            if (side) side->keepUsedUp(controls);
    }
    return match;
}

TEST(ComputerPlayerTest, ExpertBeatsEasyAndEasyScoresPastARobotThatStandsStill) {
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        const MatchState match = play(LevelExpert, LevelEasy, seed, 20 * 60 * 1000);
        EXPECT_EQ(std::tuple(match.over, match.setsWon[0]), std::tuple(true, SETS_TO_WIN)) << seed;
        // The disc first drops on the computer's half; after its goal it lies
        // on the other, where nobody picks it up.
        EXPECT_GT(play(LevelEasy, -1, seed, 60 * 1000).score[0], 0) << seed;
    }
}

TEST(ComputerPlayerTest, AnswersAThrowNoSoonerThan150MsAndWritesOnlyItsOwnControls) {
    for (int level = 0; level < COMPUTER_LEVEL_COUNT; ++level) {
        MatchEvents events;
        MatchState match = MatchState::start(ModelBig, ModelSmall, events);
        std::tie(match.robot1.state, match.robot1.y) = std::tuple(int(RobotHolding), 1.5);
        std::tie(match.frisbee.state, match.frisbee.owner) = std::tuple(int(FrisbeeHeld), 1);
        ComputerPlayer computer(2, level, 7);
        int thrownAtMs = -1;
        std::uint8_t heldAtThrow = 0;
        for (int ms = 0; ms < 4000; ms += STEP) {
            // Player 1 holds the disc two seconds, then throws up and across.
            ControlStates controls{};
            for (ControlKind kind : {Up, Down, Left, Right, Action1, Action2}) controls[controlIndex(kind, 1)] = Masked;
            controls[PAUSE_CONTROL] = Active;
            computer.play(match, STEP, controls);
            for (ControlKind kind : {Up, Down, Left, Right, Action1, Action2})
                ASSERT_EQ(controls[controlIndex(kind, 1)], Masked) << "level " << level;
            ASSERT_EQ(controls[PAUSE_CONTROL], Active);
            if (thrownAtMs >= 0 && computer.held() != heldAtThrow) {
                EXPECT_GE(ms - thrownAtMs, SHORTEST_REACTION_MS) << "level " << level;
                break;
            }
            match.robot1.holdTime = ms < 2000 ? HOLD_TIME_MS : 2000.0;
            if (ms >= 2000) controls[controlIndex(Up, 1)] = controls[controlIndex(Action1, 1)] = Active;
            events.clear();
            match.step(STEP, controls, events);
            computer.keepUsedUp(controls);
            if (thrownAtMs < 0 && match.frisbee.state == FrisbeeGliding) {
                thrownAtMs = ms;
                heldAtThrow = computer.held();
            }
        }
        EXPECT_GE(thrownAtMs, 0);
    }
}

TEST(ComputerPlayerTest, OnePersonHandsPlayerTwoToTheComputerWhichMovesAndCatchesAndADemoPlaysWhileNobodyDoes) {
    MatchWorld world;
    Game& game = world.game;
    game.menu = std::make_unique<MainMenu>();
    // Half a minute without a key: two computers play; a key ends it.
    ASSERT_TRUE(world.runUntil([&] { return game.demo; }, MainMenu::DEMO_IDLE_MS + 1000));
    EXPECT_TRUE(game.computers[0] && game.computers[1] && !game.recorder.recording());
    world.runUntil([] { return false; }, 2000);
    world.tap(KeyCode::Return);
    ASSERT_TRUE(game.menu && game.menu->getTitle() == "Menu");
    EXPECT_FALSE(game.demo);

    // Play, then H for the computer on the other side, then G: three choices.
    world.tap(Action1, 1);
    world.tap(Action2, 1);
    world.tap(Action1, 1);
    ASSERT_EQ(game.menu, nullptr);
    ASSERT_TRUE(game.computers[1] && !game.computers[0]);
    std::stringstream settings;
    settings << std::ifstream(world.directory.temp.file("Data/config.ini")).rdbuf();
    EXPECT_NE(settings.str().find("[Computer]\nside=2\n"), std::string::npos) << settings.str();

    // Player 1 walks onto the disc on its half and throws it straight.
    world.keys.hold(Right, 1);
    ASSERT_TRUE(world.runUntil([&] { return game.match.frisbee.state == FrisbeeHeld; }, 5000));
    world.keys.release(Right, 1);
    world.runUntil([] { return false; }, 600);
    world.tap(Action1, 1);
    EXPECT_TRUE(world.runUntil([&] { return game.match.frisbee.owner == 2 && game.match.frisbee.state == FrisbeeHeld; },
                               4000))
        << "the computer's catch";
}

}  // namespace
