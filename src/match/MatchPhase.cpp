#include "match/MatchPhase.h"

#include "audio/Sound.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "match/Game.h"
#include "match/MatchEvents.h"
#include "menus/MainMenu.h"
#include "menus/MenuPause.h"

namespace {

// The presses the match used up stay used up while they are held.
void keepPressesUsedUp(InputManager& input, const ControlStates& after) {
    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) {
            const int index = controlIndex(static_cast<ControlKind>(kind), player);
            if (after[index] == Consumed && input.controls[index] != Consumed)
                input.consume(static_cast<ControlKind>(kind), player);
        }
    }
}

}  // namespace

void updateMatch(int elapsedMs) {
    Game& game = Game::instance();
    const bool playing = !game.match.message.shown;
    ControlStates controls = game.input->controls;
    MatchEvents events;
    game.match.step(elapsedMs, controls, events);
    game.recorder.record(elapsedMs, game.input->controls, game.match);
    keepPressesUsedUp(*game.input, controls);
    game.matchSounds.play(events);

    if (game.match.over) {
        game.menu = std::make_unique<MainMenu>();
        Game::switchMusic(game.musicGame, game.musicMenu);
        return;
    }
    if (!playing) return;
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
