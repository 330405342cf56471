#include "match/MatchPhase.h"

#include "audio/Sound.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "match/Game.h"
#include "match/MatchEvents.h"
#include "menus/MainMenu.h"
#include "menus/MenuPause.h"

namespace {

// The presses the match used up stay used up while they are held: a
// person's in the keys and pads, the computer's in its own.
void keepPressesUsedUp(Game& game, const ControlStates& after) {
    InputManager& input = *game.input;
    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        if (ComputerPlayer* computer = game.computers[player - 1].get()) {
            computer->keepUsedUp(after);
            continue;
        }
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) {
            const int index = controlIndex(static_cast<ControlKind>(kind), player);
            if (after[index] == Consumed && input.controls[index] != Consumed)
                input.consume(static_cast<ControlKind>(kind), player);
        }
    }
}

// A press of either player's control, or of Return for the first, used up.
bool takePress(InputManager& input, ControlKind kind) {
    const bool enter = kind == Action1 && input.keyboard->enter == Active;
    bool pressed = enter;
    for (int player = 1; player <= PLAYER_COUNT; ++player)
        pressed = pressed || input.controls[controlIndex(kind, player)] == Active;
    if (!pressed) return false;
    for (int player = 1; player <= PLAYER_COUNT; ++player) input.consume(kind, player);
    if (enter) input.keyboard->enter = Consumed;
    return true;
}

// Watching a replay: the first action pauses and resumes, the second runs it
// at four times the speed and back, Escape leaves; its end leaves too.
void watch(Game& game, int elapsedMs) {
    InputManager& input = *game.input;
    ReplayPlayback& playback = *game.playback;
    if (input.controls[PAUSE_CONTROL] == Active) {
        input.controls[PAUSE_CONTROL] = Consumed;
        input.keyboard->escape = Consumed;
        game.stopWatching();
        return;
    }
    if (takePress(input, Action1)) playback.paused = !playback.paused;
    if (takePress(input, Action2)) playback.fast = !playback.fast;
    playback.advance(elapsedMs);
    if (playback.finished()) game.stopWatching();
}

}  // namespace

void updateMatch(int elapsedMs) {
    Game& game = Game::instance();
    if (game.playback) {
        watch(game, elapsedMs);
        return;
    }
    // An online match is stepped by its session.
    if (game.online) return;
    if (game.demo && game.input->anyInput()) {
        game.endDemo();
        return;
    }
    const bool playing = !game.match.message.shown;
    ControlStates controls = game.input->controls;
    for (const auto& computer : game.computers)
        if (computer) computer->play(game.match, elapsedMs, controls);
    const ControlStates read = controls;
    MatchEvents events;
    game.match.step(elapsedMs, controls, events);
    game.recorder.record(elapsedMs, read, game.match);
    keepPressesUsedUp(game, controls);
    game.matchSounds.play(events);

    if (game.match.over) {
        game.demo = false;
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
    // A demo plays on: nobody was playing it.
    if (game.playback)
        game.playback->paused = true;
    else if (!game.menu && !game.demo)
        game.pauseAsked = true;
}
