#include "audio/MatchSounds.h"

#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "match/MatchEvents.h"

#include <al.h>

namespace {
constexpr float LAME_GAIN = 0.3f;
constexpr float ENGAGE_GAIN = 0.5f;
constexpr float MOVE_GAIN = 0.7f;
constexpr float CATCH_GAIN = 0.6f;
// Two robots may throw, dash or run at once; three rebounds may overlap.
constexpr int ROBOT_SOURCES = 2;
constexpr int BOUND_SOURCES = 3;
}  // namespace

void MatchSounds::load() {
    SoundManager& sounds = SoundManager::instance();
    bound_ = sounds.loadSound("bound", "Sounds/bound.wav", BOUND_SOURCES, false);
    goal_ = sounds.loadSound("goal", "Sounds/goal.wav", 1, false);
    lame_ = sounds.loadSound("lame", "Sounds/lame.wav", 1, false);
    engage_ = sounds.loadSound("engage", "Sounds/engage.wav", 1, false);
    lame_->setGain(LAME_GAIN);
    engage_->setGain(ENGAGE_GAIN);
    throw_ = sounds.loadSound("throw", "Sounds/throw.wav", ROBOT_SOURCES, false);
    move_ = sounds.loadSound("move", "Sounds/move.wav", ROBOT_SOURCES, false);
    straf_ = sounds.loadSound("straf", "Sounds/straf.wav", ROBOT_SOURCES, false);
    catch_ = sounds.loadSound("getFrisbee", "Sounds/getFrisbee.wav", 1, false);
    move_->setGain(MOVE_GAIN);
    catch_->setGain(CATCH_GAIN);
}

void MatchSounds::play(const MatchEvents& events) const {
    if (!bound_) return;
    for (const MatchEvent& event : events) {
        Sound* effect = nullptr;
        switch (event.kind) {
        case MatchEventKind::Dash: effect = straf_; break;
        case MatchEventKind::Throw: effect = throw_; break;
        case MatchEventKind::Catch: effect = catch_; break;
        case MatchEventKind::Rebound: effect = bound_; break;
        case MatchEventKind::Goal: effect = goal_; break;
        case MatchEventKind::LobLanded: effect = lame_; break;
        case MatchEventKind::Serve: effect = engage_; break;
        case MatchEventKind::Running: run(event.player, event.soundX, event.soundY, event.pitch); break;
        default: break;
        }
        if (effect) effect->play(event.soundX, event.soundY, event.soundZ);
    }
}

void MatchSounds::run(int player, double x, double y, double pitch) const {
    // Each player has a source of its own on the shared "move" sound.
    const int index = player - 1;
    if (index < 0 || index >= static_cast<int>(move_->sources.size())) return;
    const ALuint source = move_->sources[index];
    const bool still = pitch == 0.0;

    // Without a current context the query leaves this untouched.
    ALint playing = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &playing);
    if (playing == AL_PLAYING) {
        if (still) {
            alSourceStop(source);
        } else {
            alSourcef(source, AL_PITCH, static_cast<float>(pitch));
            alSource3f(source, AL_POSITION, static_cast<float>(x), static_cast<float>(y), 0.0f);
        }
    } else if (!still) {
        alSourcef(source, AL_PITCH, static_cast<float>(pitch));
        move_->playOnSource(index, x, y, 0.0);
    }
}
