#pragma once

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "assets/TextureManager.h"
#include "audio/AudioTestSupport.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "match/Game.h"
#include "match/MatchEvents.h"
#include "match/MatchPhase.h"
#include "match/MenuPhase.h"
#include "menus/GameDirectory.h"
#include "menus/Menu.h"
#include "menus/RecordingScreen.h"
#include "menus/ScriptedKeys.h"

#include <algorithm>
#include <functional>
#include <thread>
#include <tuple>

// The whole game without a window: its own working directory with the
// generated assets, a recording graphics device, the silent sound output,
// the assets loaded as at start-up (the intro's first, then the rest, here
// at once unless asked to leave it to the loop steps), and keys pressed
// through the real control rules. Each loop step runs the phase the main
// loop would.
class MatchWorld {
public:
    enum class StartUp { Loaded, LoadingBehindTheIntro };

    explicit MatchWorld(StartUp startUp = StartUp::Loaded)
        : directory(prepareProcess()), game(Game::instance()) {
        game.decodeAhead();
        openAudioDevice();
        game.loadAssets();
        game.decodeTheRest();
        while (startUp == StartUp::Loaded && !game.assetsLoaded()) {
            game.loadNextAsset();
            std::this_thread::yield();
        }
    }

    void loopStep(int stepMs = 33) {
        keys.poll();
        game.loadNextAsset();
        if (game.menu)
            updateMenu(stepMs);
        else
            updateMatch(stepMs);
    }
    // Loop steps until done() holds after one, at most maxMs of game time;
    // returns whether it held.
    bool runUntil(const std::function<bool()>& done, int maxMs, int stepMs = 33) {
        for (int spent = 0; spent < maxMs; spent += stepMs) {
            loopStep(stepMs);
            if (done()) return true;
        }
        return false;
    }
    // A key down for one step, then up for one, as a person taps it.
    void tap(Key key) {
        keys.hold(key);
        loopStep();
        keys.release(key);
        loopStep();
    }
    void tap(ControlKind kind, int player) { tap(keys.keyOf(kind, player)); }

    Texture* picture(const char* name) const { return game.textures->getTexture(name); }
    static bool isPlaying(const Sound* sound) {
        return sound && std::any_of(sound->sources.begin(), sound->sources.end(),
                                    [](std::uint32_t source) { return sourceState(source) == AL_PLAYING; });
    }

    // The disc held by player 1's robot, so the clock runs and nothing scores.
    void discHeldByPlayer1() {
        std::tie(game.match.frisbee.state, game.match.frisbee.owner) = std::tuple(int(FrisbeeHeld), 1);
        std::tie(game.match.robot1.state, game.match.robot1.holdTime) = std::tuple(int(RobotHolding), HOLD_TIME_MS);
    }

    GameDirectory& directory;
    RecordingScreen screen;
    Game& game;
    ScriptedKeys keys;

private:
    // Set up before anything reads the settings file or opens a device.
    static GameDirectory& prepareProcess() {
        static GameDirectory directory;
        useNullOutput();
        return directory;
    }
};
