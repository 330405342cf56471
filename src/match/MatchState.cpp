#include "match/MatchState.h"

#include "actors/SoundPosition.h"
#include "match/MatchEvents.h"

#include <bit>

namespace {

// The first disc of a match drops onto player 1's half.
constexpr double FIRST_SERVE_X = 4.0;

constexpr const char* MESSAGE_PICTURE_NAMES[MESSAGE_PICTURE_COUNT] = {
    nullptr,    "5points",   "3points",   "2points", "p1WonSet",
    "p2WonSet", "p1WonGame", "p2WonGame", "draw",    "timesup"};

int goalPicture(int points) {
    switch (points) {
    case CENTRE_GOAL_POINTS: return Picture5Points;
    case GOAL_POINTS: return Picture3Points;
    case LOB_POINTS: return Picture2Points;
    default: return NoPicture;
    }
}


// FNV-1a over 64-bit words: every field goes in as its own value, so
// padding never counts and equal matches always agree.
class Checksum {
public:
    void add(std::uint64_t word) {
        for (int byte = 0; byte < 8; ++byte) {
            hash_ ^= (word >> (8 * byte)) & 0xFF;
            hash_ *= PRIME;
        }
    }
    void add(double value) { add(std::bit_cast<std::uint64_t>(value)); }
    void add(float value) { add(static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(value))); }
    void add(int value) { add(static_cast<std::uint64_t>(static_cast<std::int64_t>(value))); }
    void add(bool value) { add(static_cast<std::uint64_t>(value)); }
    std::uint64_t value() const { return hash_; }

private:
    static constexpr std::uint64_t OFFSET = 0xcbf29ce484222325ULL;
    static constexpr std::uint64_t PRIME = 0x100000001b3ULL;
    std::uint64_t hash_ = OFFSET;
};

void addRobot(Checksum& sum, const Robot& r) {
    for (double v : {r.x, r.y, r.z, r.rotationY, r.velocityX, r.velocityY, r.velocityZ, r.discX, r.discY,
                     r.headYaw, r.reachX, r.reachY, r.reachHeight, r.heading, r.holdTime,
                     r.throwVelocityX, r.throwVelocityY, r.throwVelocityZ, r.turnTarget})
        sum.add(v);
    for (int v : {r.state, r.player, r.model}) sum.add(v);
    sum.add(r.throwStrength);
    sum.add(r.speed);
}

void addDisc(Checksum& sum, const Frisbee& d) {
    for (double v : {d.x, d.y, d.z, d.rotationY, d.velocityX, d.velocityY, d.velocityZ}) sum.add(v);
    for (int v : {d.state, d.owner, d.points}) sum.add(v);
    sum.add(d.visible);
    sum.add(d.spinPositive);
}

}  // namespace

const char* messagePictureName(int picture) {
    return picture >= 0 && picture < MESSAGE_PICTURE_COUNT ? MESSAGE_PICTURE_NAMES[picture] : nullptr;
}

MatchState MatchState::start(int model1, int model2, MatchEvents& events) {
    MatchState match;
    match.robot1 = Robot(1, model1, ROBOT_START_X, 0.0);
    match.robot2 = Robot(2, model2, -ROBOT_START_X, 0.0);
    match.frisbee = Frisbee(FIRST_SERVE_X, 0.0, 0.0, 0.0, 0.0, 0.0);
    match.frisbee.state = FrisbeeDropping;
    MatchEvent appears;
    appears.kind = MatchEventKind::Serve;
    appears.soundX = soundX(FIRST_SERVE_X);
    events.add(appears);
    return match;
}

void MatchState::step(int elapsedMs, ControlStates& controls, MatchEvents& events) {
    if (over) return;
    if (message.shown)
        countDownMessage(elapsedMs, events);
    else
        play(elapsedMs, controls, events);
}

void MatchState::play(int elapsedMs, ControlStates& controls, MatchEvents& events) {
    robot1.update(elapsedMs, controls, events);
    robot2.update(elapsedMs, controls, events);
    frisbee.update(elapsedMs, events);
    robot1.interact(frisbee, events);
    robot2.interact(frisbee, events);

    // The clock stands still while the disc drops or waits to be picked up.
    if (frisbee.state != FrisbeeDropping && frisbee.state != FrisbeeResting) timeLeft -= elapsedMs;

    const int points = frisbee.points;
    frisbee.points = 0;
    if (points > 0) {
        if (frisbee.owner == 1 || frisbee.owner == 2) score[frisbee.owner - 1] += points;
        showMessage(goalPicture(points), GOAL_MESSAGE_MS, events);
    }

    if (timeLeft <= 0) {
        timeLeft = 0;
        // Replaces a goal message of this same step.
        showMessage(PictureTimesUp, GOAL_MESSAGE_MS, events);
        flow = FlowTimeUp;
        frisbee.visible = false;
    }
}

void MatchState::countDownMessage(int elapsedMs, MatchEvents& events) {
    message.remainingMs -= elapsedMs;
    if (message.remainingMs > 0) return;
    message = MatchMessage{};

    robot1.resetToStart();
    robot2.resetToStart();

    // A disc that has scored keeps its owner until its next update, and it
    // is not updated while a message shows.
    const int scorer = frisbee.owner;
    if ((scorer == 1 || scorer == 2) && score[scorer - 1] >= SET_POINTS) {
        ++setsWon[scorer - 1];
        score = {0, 0};
        flow = FlowSetWon;
    }

    switch (flow) {
    case FlowSetWon:
        showMessage(scorer == 1 ? PictureP1WonSet : PictureP2WonSet, SET_MESSAGE_MS, events);
        events.add(MatchEventKind::SetWon, scorer);
        if (setsWon[scorer - 1] >= SETS_TO_WIN) {
            score = {0, 0};
            flow = FlowMatchWon;
        } else {
            flow = FlowPlaying;
        }
        break;
    case FlowMatchWon:
        showMessage(frisbee.owner == 1 ? PictureP1WonGame : PictureP2WonGame, MATCH_MESSAGE_MS, events);
        events.add(MatchEventKind::MatchWon, frisbee.owner == 1 ? 1 : 2);
        flow = FlowBackToMenu;
        break;
    case FlowBackToMenu:
        over = true;
        events.add(MatchEventKind::MatchOver, 0);
        break;
    case FlowTimeUp:
        endSetOnTime(events);
        break;
    case FlowNextSet:
        frisbee.visible = true;
        break;
    default:
        break;
    }
}

// The end of a set on time: the better score takes it, a tie awards none.
void MatchState::endSetOnTime(MatchEvents& events) {
    if (score[0] > score[1]) {
        showMessage(PictureP1WonSet, SET_MESSAGE_MS, events);
        ++setsWon[0];
        events.add(MatchEventKind::SetWon, 1);
        frisbee.serve(1, events);
    } else if (score[1] > score[0]) {
        showMessage(PictureP2WonSet, SET_MESSAGE_MS, events);
        ++setsWon[1];
        events.add(MatchEventKind::SetWon, 2);
        frisbee.serve(2, events);
    } else {
        showMessage(PictureDraw, SET_MESSAGE_MS, events);
        // The disc drops on the half of the player with fewer sets.
        frisbee.serve(setsWon[0] > setsWon[1] ? 2 : 1, events);
    }
    if (setsWon[0] >= SETS_TO_WIN) {
        flow = FlowMatchWon;
        frisbee.owner = 1;
    } else if (setsWon[1] >= SETS_TO_WIN) {
        flow = FlowMatchWon;
        frisbee.owner = 2;
    } else {
        flow = FlowNextSet;
    }
    score = {0, 0};
    timeLeft = SET_TIME_MS;
}

void MatchState::showMessage(int picture, int durationMs, MatchEvents& events) {
    message = MatchMessage{true, picture, durationMs, durationMs};
    MatchEvent shown;
    shown.kind = MatchEventKind::Message;
    shown.picture = picture;
    shown.durationMs = durationMs;
    events.add(shown);
}

std::uint64_t MatchState::checksum() const {
    Checksum sum;
    addRobot(sum, robot1);
    addRobot(sum, robot2);
    addDisc(sum, frisbee);
    for (int v : {score[0], score[1], setsWon[0], setsWon[1], flow, timeLeft, message.picture,
                  message.durationMs, message.remainingMs})
        sum.add(v);
    sum.add(message.shown);
    sum.add(over);
    return sum.value();
}
