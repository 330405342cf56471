#include "match/NotificationPhase.h"

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "match/Game.h"
#include "menus/MainMenu.h"
#include "menus/Notification.h"

namespace {
constexpr int SET_MESSAGE_MS = 2000;
constexpr int MATCH_MESSAGE_MS = 3000;

// The end of a set on time: the better score takes it, a tie awards none.
void endSetOnTime(Game& game) {
    Frisbee& disc = *game.frisbee;
    if (game.score[0] > game.score[1]) {
        game.notification = game.makeNotification("p1WonSet", SET_MESSAGE_MS);
        ++game.setsWon[0];
        disc.serve(1);
    } else if (game.score[1] > game.score[0]) {
        game.notification = game.makeNotification("p2WonSet", SET_MESSAGE_MS);
        ++game.setsWon[1];
        disc.serve(2);
    } else {
        game.notification = game.makeNotification("draw", SET_MESSAGE_MS);
        // The disc drops on the half of the player with fewer sets.
        disc.serve(game.setsWon[0] > game.setsWon[1] ? 2 : 1);
    }
    if (game.setsWon[0] >= Game::SETS_TO_WIN) {
        game.flow = Game::FlowMatchWon;
        disc.owner = 1;
    } else if (game.setsWon[1] >= Game::SETS_TO_WIN) {
        game.flow = Game::FlowMatchWon;
        disc.owner = 2;
    } else {
        game.flow = Game::FlowNextSet;
    }
    game.score = {0, 0};
    game.timeLeft = Game::SET_TIME_MS;
}
}  // namespace

void updateNotification(int elapsedMs) {
    Game& game = Game::instance();
    game.notification->update(elapsedMs);
    if (game.notification->remainingMs > 0) return;
    game.notification.reset();

    game.robot1->resetToStart();
    game.robot2->resetToStart();

    // A disc that has scored keeps its owner until its next update, and it
    // is not updated while a message shows.
    Frisbee& disc = *game.frisbee;
    const int scorer = disc.owner;
    if ((scorer == 1 || scorer == 2) && game.score[scorer - 1] >= Game::SET_POINTS) {
        ++game.setsWon[scorer - 1];
        game.score = {0, 0};
        game.flow = Game::FlowSetWon;
    }

    switch (game.flow) {
    case Game::FlowSetWon:
        game.notification =
            game.makeNotification(scorer == 1 ? "p1WonSet" : "p2WonSet", SET_MESSAGE_MS);
        if (game.setsWon[scorer - 1] >= Game::SETS_TO_WIN) {
            game.score = {0, 0};
            game.flow = Game::FlowMatchWon;
        } else {
            game.flow = Game::FlowPlaying;
        }
        break;
    case Game::FlowMatchWon:
        game.notification =
            game.makeNotification(disc.owner == 1 ? "p1WonGame" : "p2WonGame", MATCH_MESSAGE_MS);
        game.flow = Game::FlowBackToMenu;
        break;
    case Game::FlowBackToMenu:
        game.menu = std::make_unique<MainMenu>();
        Game::switchMusic(game.musicGame, game.musicMenu);
        break;
    case Game::FlowTimeUp:
        endSetOnTime(game);
        break;
    case Game::FlowNextSet:
        disc.visible = true;
        break;
    default:
        break;
    }
}
