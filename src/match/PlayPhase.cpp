#include "match/PlayPhase.h"

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "audio/Sound.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "match/Game.h"
#include "menus/MenuPause.h"
#include "menus/Notification.h"

namespace {
const char* goalPicture(int points) {
    switch (points) {
    case 5: return "5points";
    case 3: return "3points";
    case 2: return "2points";
    default: return nullptr;
    }
}
}  // namespace

void updatePlay(int elapsedMs) {
    Game& game = Game::instance();
    Frisbee& disc = *game.frisbee;
    game.robot1->update(elapsedMs);
    game.robot2->update(elapsedMs);
    disc.update(elapsedMs);
    game.robot1->interact(disc);
    game.robot2->interact(disc);

    // The clock stands still while the disc drops or waits to be picked up.
    if (disc.state != FrisbeeDropping && disc.state != FrisbeeResting) game.timeLeft -= elapsedMs;

    const int points = disc.points;
    disc.points = 0;
    if (points > 0) {
        if (disc.owner == 1 || disc.owner == 2) game.score[disc.owner - 1] += points;
        game.notification =
            game.makeNotification(goalPicture(points), Notification::DEFAULT_DURATION_MS);
    }

    if (game.timeLeft <= 0) {
        game.timeLeft = 0;
        // Replaces (and frees) a goal message made in this same step.
        game.notification = game.makeNotification("timesup", Notification::DEFAULT_DURATION_MS);
        game.flow = Game::FlowTimeUp;
        disc.visible = false;
    }

    if (game.input->controls[PAUSE_CONTROL] == Active) {
        game.input->controls[PAUSE_CONTROL] = Consumed;
        game.input->keyboard->escape = Consumed;
        game.pauseAsked = true;
    }
    if (game.pauseAsked) {
        game.pauseAsked = false;
        game.menu = std::make_unique<MenuPause>();
        if (game.beep) game.beep->play(0.0, 0.0, 0.0);
        Game::switchMusic(game.musicGame, game.musicMenu);
    }
}

void pauseOnFocusLoss() {
    Game& game = Game::instance();
    if (!game.menu) game.pauseAsked = true;
}
