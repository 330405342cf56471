#include "computer/ComputerPlayer.h"

#include "computer/DiscForecast.h"
#include "input/PressRules.h"
#include "match/MatchEvents.h"
#include "match/MatchState.h"
#include "scene/Element.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace {

constexpr std::uint8_t bit(ControlKind kind) { return static_cast<std::uint8_t>(1u << kind); }
constexpr std::uint8_t DIRECTIONS = bit(Up) | bit(Down) | bit(Left) | bit(Right);
constexpr std::uint8_t ACTIONS = bit(Action1) | bit(Action2);

// Eight new directions a second at most; a press is held a while.
constexpr int DIRECTION_CHANGE_MS = 125;
constexpr int SHORTEST_PRESS_MS = 90;
constexpr int LONGEST_PRESS_MS = 160;

// Close enough to where it wants to be: it stops rather than shuffle.
constexpr double STAND_TOLERANCE = 0.12;
// Where it waits, along its half, when nothing comes its way.
constexpr double HOME_X = 4.9;
constexpr double NEAREST_X = 1.05;
constexpr double FARTHEST_X = 5.85;
constexpr double SIDE_Y = 2.2;
constexpr double WALK = 1.6;  // walking speed, times the robot's speed, per 500 ms
constexpr double CATCH_FLOOR_Z = -5.5;
constexpr double OTHER_REACH = 0.5;  // the least of the other robot's reach, for aiming past it
// How soon the other robot is taken to answer a throw, when aiming past it.
constexpr int OTHER_REACTION_MS = 150;
// Share of the other robot's y it stands at while that robot holds the
// disc, for the levels that do not read it.
constexpr double FACING_SHARE = 0.5;
// The steepest flat throw, 60 degrees off straight, as a slope; a lob is
// judged as badly as a throw of this share of that.
constexpr double STEEPEST_SLOPE = 1.7320508075688772;
constexpr double LOB_JUDGEMENT = 0.5;

// The throws it may choose: seven flat ones ordered from the most upward to
// the most downward on screen for player 1 (player 2's left and right are
// the other way round), then three lobs likewise. Left and right bend only
// throws that go up or down.
constexpr int FLAT_THROWS = 7;
constexpr int THROW_COUNT = 10;
constexpr std::array<std::uint8_t, THROW_COUNT> PLAYER1_THROWS = {
    bit(Up) | bit(Left), bit(Up), bit(Up) | bit(Right), 0, bit(Down) | bit(Right), bit(Down), bit(Down) | bit(Left),
    bit(Up),             0,       bit(Down)};
constexpr std::array<std::uint8_t, THROW_COUNT> PLAYER2_THROWS = {
    bit(Up) | bit(Right), bit(Up), bit(Up) | bit(Left), 0, bit(Down) | bit(Left), bit(Down), bit(Down) | bit(Right),
    bit(Up),              0,       bit(Down)};
constexpr double FLAT_ANGLE_STEP = 20.0;
constexpr double LOB_ANGLE_STEP = 15.0;
constexpr int MAX_SAME_THROWS = 3;
// A throw is judged on a copy of the match run this far ahead.
constexpr int JUDGE_STEP_MS = 16;
constexpr int JUDGE_HORIZON_MS = 2400;
// Among throws this close to the best, the choice is left to chance.
constexpr double GOOD_ENOUGH = 0.8;

const Robot& robotOf(const MatchState& match, int player) { return player == 1 ? match.robot1 : match.robot2; }

int signOf(double v) { return (v > 0.0) - (v < 0.0); }

// A guess past a side comes back from it, as the disc would: wild guesses
// spread over the whole width instead of piling up against the walls.
double foldAcross(double y) {
    const double span = 2.0 * SIDE_Y;
    double t = std::fmod(y + SIDE_Y, 2.0 * span);
    if (t < 0.0) t += 2.0 * span;
    return (t <= span ? t : 2.0 * span - t) - SIDE_Y;
}

}  // namespace

ComputerPlayer::ComputerPlayer(int player, int level, std::uint64_t seed)
    : player_(player == 2 ? 2 : 1),
      levelIndex_(std::clamp(level, 0, COMPUTER_LEVEL_COUNT - 1)),
      level_(COMPUTER_LEVELS[levelIndex_]),
      random_(seed) {}

const MatchState& ComputerPlayer::remember(const MatchState& match) {
    memory_[remembered_ % MEMORY] = {nowMs_, match};
    ++remembered_;
    // The newest sight at least a reaction old; early on, the oldest there is.
    const std::size_t kept = std::min(remembered_, MEMORY);
    const Seen* seen = &memory_[(remembered_ - kept) % MEMORY];
    for (std::size_t back = 1; back <= kept; ++back) {
        const Seen& candidate = memory_[(remembered_ - back) % MEMORY];
        if (nowMs_ - candidate.atMs >= std::max(level_.reactionMs, SHORTEST_REACTION_MS)) {
            seen = &candidate;
            break;
        }
    }
    return seen->match;
}

void ComputerPlayer::play(const MatchState& match, int elapsedMs, ControlStates& controls) {
    nowMs_ += elapsedMs;
    const MatchState& seen = remember(match);
    const Frisbee& disc = seen.frisbee;
    const Situation now{disc.state, disc.owner, signOf(disc.velocityX), signOf(disc.velocityY), seen.message.shown};
    if (!judged_ || !(now == situation_)) {
        situation_ = now;
        judged_ = true;
        guessSpread_ = random_.between(-1.0, 1.0);
        dashRoll_ = random_.unit();
        dashed_ = false;
    }
    const Robot& me = robotOf(match, player_);
    if (me.state != RobotHolding) throwChosen_ = false;
    if (me.state == RobotDashing) dashed_ = true;
    hold(wanted(match, seen));

    combineHeld(held_, player_, states_);
    for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) {
        const int index = controlIndex(static_cast<ControlKind>(kind), player_);
        controls[index] = states_[index];
    }
}

void ComputerPlayer::keepUsedUp(const ControlStates& after) {
    for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) {
        const int index = controlIndex(static_cast<ControlKind>(kind), player_);
        if (after[index] == Consumed) states_[index] = Consumed;
    }
}

std::uint8_t ComputerPlayer::wanted(const MatchState& match, const MatchState& seen) {
    const Robot& me = robotOf(match, player_);
    if (me.state == RobotHolding) {
        if (!throwChosen_) planThrow(match, seen);
        std::uint8_t keys = throwDirections_;
        if (me.holdTime < releaseBelowHoldTime_) keys |= lob_ ? bit(Action2) : bit(Action1);
        return keys;
    }
    if (me.state != RobotFree || seen.message.shown) return 0;
    const Target target = catchTarget(seen, me);
    std::uint8_t keys = 0;
    const double dx = target.x - me.x;
    const double dy = target.y - me.y;
    // Left walks toward +x and up toward +y, for both players.
    if (dy > STAND_TOLERANCE) keys |= bit(Up);
    if (dy < -STAND_TOLERANCE) keys |= bit(Down);
    if (dx > STAND_TOLERANCE) keys |= bit(Left);
    if (dx < -STAND_TOLERANCE) keys |= bit(Right);
    if (target.dash && keys != 0) keys |= bit(Action1);
    return keys;
}

ComputerPlayer::Target ComputerPlayer::catchTarget(const MatchState& seen, const Robot& me) const {
    const Frisbee& disc = seen.frisbee;
    const int side = player_ == 1 ? 1 : -1;
    Target target{side * HOME_X, 0.0, false};
    const bool mine = signOf(disc.x) == side || disc.x == 0.0;
    // Facing a robot that holds the disc: in front of it, where a straight
    // throw comes, as far as the level reads the other robot.
    if (disc.state == FrisbeeHeld && disc.owner != player_) {
        target.y = robotOf(seen, 3 - player_).y * (level_.readsOpponent ? 1.0 : FACING_SHARE);
        return target;
    }
    if (disc.state == FrisbeeHeld || disc.state == FrisbeeScored) return target;
    if (disc.state == FrisbeeResting) {
        if (mine) target = {disc.x, disc.y, false};
        return target;
    }
    // In flight: the first place on this half where it comes low enough to
    // catch and it can walk to in time, else the last one. What it sees is
    // a reaction old: so much of the flight is gone already.
    const int late = nowMs_ - std::max(level_.reactionMs, SHORTEST_REACTION_MS);
    const double walkPerMs = WALK * me.speed / VELOCITY_TIME_UNIT;
    const DiscForecast forecast(disc);
    const DiscForecast::Point* chosen = nullptr;
    bool inTime = false;
    for (const DiscForecast::Point& p : forecast) {
        const bool onThisHalf = p.x * side >= NEAREST_X && p.x * side <= FARTHEST_X + me.reachX;
        const bool lowEnough = p.z > CATCH_FLOOR_Z && p.z < CATCH_FLOOR_Z + me.reachHeight;
        if (!onThisHalf || !lowEnough || disc.owner == player_) continue;
        const double x = std::clamp(p.x * side, NEAREST_X, FARTHEST_X) * side;
        const double walk = std::max(std::fabs(x - me.x), std::fabs(p.y - me.y)) / walkPerMs;
        chosen = &p;
        if (walk <= p.inMs - (nowMs_ - late)) {
            inTime = true;
            break;
        }
    }
    if (!chosen) return target;
    // One guess per thing seen, and it stays wrong until something else
    // happens. A disc coming straight on is easy to judge; the steeper it
    // moves across, the farther off the guess, and a lob is never easy.
    const double slope = disc.velocityX == 0.0 ? 1.0 : std::fabs(disc.velocityY / disc.velocityX) / STEEPEST_SLOPE;
    const double across = std::max(std::min(slope, 1.0), disc.state == FrisbeeLobbed ? LOB_JUDGEMENT : 0.0);
    const double guess = level_.straightError + (level_.guessError - level_.straightError) * across;
    target.x = std::clamp(chosen->x * side, NEAREST_X, FARTHEST_X) * side;
    target.y = foldAcross(chosen->y + guessSpread_ * guess);
    target.dash = !inTime && !dashed_ && dashRoll_ < level_.dashChance;
    return target;
}

void ComputerPlayer::planThrow(const MatchState& match, const MatchState& seen) {
    // Its own robot and the disc in its hands as they are, the other robot
    // where it was seen.
    MatchState judged = match;
    (player_ == 1 ? judged.robot2 : judged.robot1) = robotOf(seen, 3 - player_);
    throwChosen_ = true;
    const double holdMs = random_.between(level_.shortestHoldMs, level_.longestHoldMs);
    std::array<double, THROW_COUNT> value{};
    double best = 0.0;
    for (int candidate = 0; candidate < THROW_COUNT; ++candidate) {
        // Easy throws anywhere; better levels see where a throw would go.
        value[candidate] = levelIndex_ == LevelEasy ? 1.0 : throwValue(judged, candidate, holdMs);
        if (candidate == lastThrow_ && sameThrows_ >= MAX_SAME_THROWS) value[candidate] = -1.0;
        best = std::max(best, value[candidate]);
    }
    int choices = 0;
    std::array<int, THROW_COUNT> good{};
    for (int candidate = 0; candidate < THROW_COUNT; ++candidate)
        if (value[candidate] >= 0.0 && value[candidate] >= best * GOOD_ENOUGH) good[choices++] = candidate;
    int chosen = choices > 0 ? good[random_.below(choices)] : FLAT_THROWS / 2;
    sameThrows_ = chosen == lastThrow_ ? sameThrows_ + 1 : 1;
    lastThrow_ = chosen;

    // The aim is off once per throw: far enough off, it is the next throw
    // up or down that leaves the hand.
    const bool lob = chosen >= FLAT_THROWS;
    const double step = lob ? LOB_ANGLE_STEP : FLAT_ANGLE_STEP;
    const int first = lob ? FLAT_THROWS : 0;
    const int last = lob ? THROW_COUNT - 1 : FLAT_THROWS - 1;
    const double error = random_.between(-level_.aimErrorDegrees, level_.aimErrorDegrees);
    chosen = std::clamp(chosen + static_cast<int>(std::lround(error / step)), first, last);

    const auto& throws = player_ == 1 ? PLAYER1_THROWS : PLAYER2_THROWS;
    throwDirections_ = throws[chosen];
    lob_ = lob;
    releaseBelowHoldTime_ = HOLD_TIME_MS - holdMs;
}

// How good a throw looks: run on a copy of the match, with the other robot
// standing where it stands (the levels that read it) or out of the way, the
// points it brings, less where the other robot could walk to in time.
double ComputerPlayer::throwValue(const MatchState& match, int candidate, double holdMs) const {
    MatchState copy = match;
    Robot& me = player_ == 1 ? copy.robot1 : copy.robot2;
    Robot& other = player_ == 1 ? copy.robot2 : copy.robot1;
    if (!level_.readsOpponent) std::tie(other.reachX, other.reachY) = std::pair(0.0, 0.0);
    me.holdTime = std::min(me.holdTime, HOLD_TIME_MS - holdMs);
    const auto& throws = player_ == 1 ? PLAYER1_THROWS : PLAYER2_THROWS;
    ControlStates controls{};
    for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind)
        if (throws[candidate] & bit(static_cast<ControlKind>(kind)))
            controls[controlIndex(static_cast<ControlKind>(kind), player_)] = Active;
    controls[controlIndex(candidate >= FLAT_THROWS ? Action2 : Action1, player_)] = Active;

    const int scoreBefore = copy.score[player_ - 1];
    MatchEvents events;
    for (int ms = 0; ms < JUDGE_HORIZON_MS && !copy.message.shown; ms += JUDGE_STEP_MS) {
        events.clear();
        copy.step(JUDGE_STEP_MS, controls, events);
        if (copy.frisbee.state == FrisbeeHeld && copy.frisbee.owner != player_) return 0.0;
        if (!level_.readsOpponent) continue;
        // Where the other robot could have walked to by the time the disc
        // passes it: a throw it would reach is worth little.
        const double otherX = other.x;
        if ((copy.frisbee.x - otherX) * (match.frisbee.x - otherX) <= 0.0) {
            const double walk = WALK * other.speed / VELOCITY_TIME_UNIT * std::max(0, ms - OTHER_REACTION_MS);
            if (std::fabs(copy.frisbee.y - robotOf(match, 3 - player_).y) < walk + OTHER_REACH) return 0.1;
        }
    }
    const int points = copy.score[player_ - 1] - scoreBefore;
    return points > 0 ? points : 0.5;
}

void ComputerPlayer::hold(std::uint8_t wanted) {
    std::uint8_t next = held_;
    // Letting go is always quick; a new direction waits its turn.
    const std::uint8_t directions = wanted & DIRECTIONS;
    const bool onlyLettingGo = (directions & ~held_) == 0;
    if (directions != (held_ & DIRECTIONS) && (onlyLettingGo || nowMs_ - directionsChangedAtMs_ >= DIRECTION_CHANGE_MS)) {
        next = static_cast<std::uint8_t>((next & ~DIRECTIONS) | directions);
        if (!onlyLettingGo) directionsChangedAtMs_ = nowMs_;
    }
    const std::uint8_t pressed = wanted & ACTIONS & ~held_;
    if (pressed != 0 && (held_ & ACTIONS) == 0) {
        next |= pressed;
        actionPressedAtMs_ = nowMs_;
        actionHoldMs_ = static_cast<int>(random_.between(SHORTEST_PRESS_MS, LONGEST_PRESS_MS));
    } else if ((held_ & ACTIONS) != 0 && nowMs_ - actionPressedAtMs_ >= actionHoldMs_ && (wanted & ACTIONS) == 0) {
        next &= static_cast<std::uint8_t>(~ACTIONS);
    }
    held_ = next;
}
