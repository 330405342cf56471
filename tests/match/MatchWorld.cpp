#include "match/MatchWorld.h"

#include "assets/TextureManager.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"

#include <AL/al.h>

#include <cstdlib>

namespace {

// Set up before anything reads the settings file or opens a device.
GameDirectory& prepareProcess() {
    static GameDirectory directory;
    setenv("ALSOFT_DRIVERS", "null", 1);
    return directory;
}

}  // namespace

MatchWorld::MatchWorld() : directory(prepareProcess()), game(Game::instance()) {
    openAudioDevice();
    game.loadAssets();
}

MatchWorld::~MatchWorld() = default;

void MatchWorld::loopStep(int stepMs) {
    keys.poll();
    if (game.menu)
        updateMenu(stepMs);
    else if (game.notification)
        updateNotification(stepMs);
    else
        updatePlay(stepMs);
}

bool MatchWorld::runUntil(const std::function<bool()>& done, int maxMs, int stepMs) {
    for (int spent = 0; spent < maxMs; spent += stepMs) {
        loopStep(stepMs);
        if (done()) return true;
    }
    return false;
}

void MatchWorld::tap(ControlKind kind, int player) {
    keys.hold(kind, player);
    loopStep();
    keys.release(kind, player);
    loopStep();
}

Texture* MatchWorld::picture(const char* name) const { return game.textures->getTexture(name); }

Texture* MatchWorld::messagePicture() const {
    return game.notification ? game.notification->texture : nullptr;
}

bool MatchWorld::isPlaying(const Sound* sound) {
    if (!sound) return false;
    for (std::uint32_t source : sound->sources) {
        ALint state = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) return true;
    }
    return false;
}

void MatchWorld::discInFlight(int player, double x, double y, double velocityX, double velocityY) {
    Frisbee& disc = *game.frisbee;
    disc.state = FrisbeeGliding;
    disc.owner = player;
    disc.x = x;
    disc.y = y;
    disc.z = -4.9;
    disc.velocityX = velocityX;
    disc.velocityY = velocityY;
    disc.velocityZ = 0.0;
}

void MatchWorld::discHeldByPlayer1() {
    Frisbee& disc = *game.frisbee;
    disc.state = FrisbeeHeld;
    disc.owner = 1;
    game.robot1->state = RobotHolding;
    game.robot1->holdTime = HOLD_TIME_MS;
}
