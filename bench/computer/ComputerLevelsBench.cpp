// The computer's levels against each other and against two simple players,
// on the real match code, headless and much faster than real time, with
// fixed seeds: win rates, throws caught, reaction times and thinking time.
#include "computer/ComputerPlayer.h"
#include "game/CountingAllocator.h"
#include "computer/SeededRandom.h"
#include "input/PressRules.h"
#include "match/MatchEvents.h"
#include "match/MatchState.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>
#include <string_view>
#include <vector>

namespace {

constexpr int MATCHES_PER_PAIR = 200;
constexpr int THINKING_MATCHES = 5;
constexpr std::size_t THINKING_STEPS_RESERVED = 4'000'000;
constexpr int QUICK_MATCHES_PER_PAIR = 40;
constexpr int CATCH_THROWS = 500;
// Steps of 16, 17 and 17 ms: sixty a second, as a display shows them.
constexpr std::array<int, 3> STEP_PATTERN = {16, 17, 17};
// A match whose clock has stood still this long, the disc lying on one half
// because nobody there picks it up, goes to the other player; one still
// going after this much play, to the player ahead in sets, then in points,
// and level, to nobody.
constexpr int LONGEST_MATCH_MS = 15 * 60 * 1000;
constexpr int LONGEST_STANDSTILL_MS = 60 * 1000;
constexpr int STAND_STILL = -1;
constexpr int FOLLOWER = -2;

// The thinking thread's own processor time, in microseconds: what thinking
// costs, whatever else the machine is doing meanwhile.
double threadMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// One side of a bench match: the computer at a level, or a simple player.
class Side {
public:
    Side(int player, int kind, std::uint64_t seed) : player_(player), kind_(kind) {
        if (kind >= 0) computer_ = std::make_unique<ComputerPlayer>(player, kind, seed);
    }
    void play(const MatchState& match, int elapsedMs, ControlStates& controls, std::vector<double>* thinking) {
        if (computer_) {
            const double start = threadMicroseconds();
            computer_->play(match, elapsedMs, controls);
            if (thinking) thinking->push_back(threadMicroseconds() - start);
            return;
        }
        if (kind_ == FOLLOWER) follow(match, controls);
    }
    void keepUsedUp(const ControlStates& after) {
        if (computer_) computer_->keepUsedUp(after);
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) {
            const int index = controlIndex(static_cast<ControlKind>(kind), player_);
            if (after[index] == Consumed) states_[index] = Consumed;
        }
    }
    std::uint8_t held() const { return computer_ ? computer_->held() : 0; }

private:
    // Walks to where the disc is now, without foreseeing where it goes, and
    // throws straight ahead as soon as it may.
    void follow(const MatchState& match, ControlStates& controls) {
        const Robot& me = player_ == 1 ? match.robot1 : match.robot2;
        const Frisbee& disc = match.frisbee;
        unsigned held = 0;
        const auto hold = [&held](ControlKind kind, bool down) { held |= (down ? 1u : 0u) << kind; };
        if (me.state == RobotHolding) {
            hold(Action1, me.holdTime < HOLD_TIME_MS - 300.0);
        } else {
            hold(Up, disc.y > me.y + 0.1);
            hold(Down, disc.y < me.y - 0.1);
            const bool discHere = disc.x * (player_ == 1 ? 1 : -1) > 0.0;
            const double wantX = discHere ? disc.x : (player_ == 1 ? 4.9 : -4.9);
            hold(Left, wantX > me.x + 0.1);
            hold(Right, wantX < me.x - 0.1);
        }
        combineHeld(held, player_, states_);
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) {
            const int index = controlIndex(static_cast<ControlKind>(kind), player_);
            controls[index] = states_[index];
        }
    }

    int player_;
    int kind_;
    std::unique_ptr<ComputerPlayer> computer_;
    ControlStates states_{};
};

// 1 or 2 for the winner, 0 when nobody won; the heap allocations made while
// it was played are added to allocations.
int playMatch(int kind1, int kind2, std::uint64_t seed, std::vector<double>* thinking,
              std::uint64_t* allocations = nullptr) {
    SeededRandom random(seed);
    MatchEvents events;
    MatchState match = MatchState::start(random.below(2), random.below(2), events);
    Side one(1, kind1, random.next()), two(2, kind2, random.next());
    int clockStoodMs = 0;
    const std::uint64_t allocationsBefore = allocationCount();
    for (int ms = 0, step = 0; ms < LONGEST_MATCH_MS && !match.over && clockStoodMs < LONGEST_STANDSTILL_MS; ++step) {
        const int elapsed = STEP_PATTERN[step % STEP_PATTERN.size()];
        const int clockBefore = match.timeLeft;
        ControlStates controls{};
        one.play(match, elapsed, controls, thinking);
        two.play(match, elapsed, controls, thinking);
        events.clear();
        match.step(elapsed, controls, events);
        one.keepUsedUp(controls);
        two.keepUsedUp(controls);
        ms += elapsed;
        clockStoodMs = match.timeLeft == clockBefore && !match.message.shown ? clockStoodMs + elapsed : 0;
    }
    if (allocations) *allocations += allocationCount() - allocationsBefore;
    if (clockStoodMs >= LONGEST_STANDSTILL_MS) return match.frisbee.x > 0.0 ? 2 : 1;
    const auto ahead = [](int a, int b) { return a > b ? 1 : b > a ? 2 : 0; };
    if (const int bySets = ahead(match.setsWon[0], match.setsWon[1])) return bySets;
    return ahead(match.score[0], match.score[1]);
}

// The share of matches the first kind wins against the second, playing each
// side in turn.
double winRate(int kind, int against, std::uint64_t seed, int matches) {
    std::atomic<int> next{0}, wins{0};
    const auto work = [&] {
        for (int i; (i = next++) < matches;) {
            const bool first = i % 2 == 0;
            const int winner =
                first ? playMatch(kind, against, seed + i, nullptr) : playMatch(against, kind, seed + i, nullptr);
            if (winner == (first ? 1 : 2)) ++wins;
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t) threads.emplace_back(work);
    for (std::thread& thread : threads) thread.join();
    return 100.0 * wins / matches;
}

struct CatchFigures {
    double caughtPercent;
    double medianReactionMs;
    int shortestReactionMs;
};

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The same 500 throws of every kind for each level: player 1 holds the disc
// somewhere on its half until the computer, defending player 2's goal, has
// settled, then throws. A reaction is the time from the throw to the
// computer's first change of keys.
CatchFigures catchFigures(int level) {
    constexpr int SETTLE_MS = 2000;
    SeededRandom throws(424242);
    int caught = 0;
    std::vector<double> reactions;
    int shortest = 1 << 30;
    for (int t = 0; t < CATCH_THROWS; ++t) {
        MatchEvents events;
        MatchState match = MatchState::start(throws.below(2), throws.below(2), events);
        Robot& thrower = match.robot1;
        std::tie(thrower.x, thrower.y) = std::pair(throws.between(1.5, 5.8), throws.between(-2.2, 2.2));
        std::tie(thrower.state, thrower.holdTime) = std::pair(int(RobotHolding), HOLD_TIME_MS);
        std::tie(match.frisbee.state, match.frisbee.owner) = std::pair(int(FrisbeeHeld), 1);
        const double holdAtRelease = HOLD_TIME_MS - throws.between(350.0, 2500.0);
        const int candidate = throws.below(10);
        const ControlKind action = candidate >= 7 ? Action2 : Action1;
        const int vertical = candidate % 3;   // none, up or down
        const int lateral = throws.below(3);  // none, left or right
        Side defender(2, level, throws.next());
        int thrownAtMs = -1, answeredAtMs = -1;
        std::uint8_t heldAtThrow = 0;
        bool done = false;
        for (int ms = 0, step = 0; ms < SETTLE_MS + 6000 && !done; ++step) {
            const int elapsed = STEP_PATTERN[step % STEP_PATTERN.size()];
            ControlStates controls{};
            defender.play(match, elapsed, controls, nullptr);
            if (thrownAtMs >= 0 && answeredAtMs < 0 && defender.held() != heldAtThrow) answeredAtMs = ms;
            if (match.robot1.state == RobotHolding) {
                // Held without a forced throw until the other side has settled.
                thrower.holdTime = ms < SETTLE_MS ? HOLD_TIME_MS : std::min(thrower.holdTime, holdAtRelease);
                if (vertical == 1) controls[controlIndex(Up, 1)] = Active;
                if (vertical == 2) controls[controlIndex(Down, 1)] = Active;
                if (lateral == 1) controls[controlIndex(Left, 1)] = Active;
                if (lateral == 2) controls[controlIndex(Right, 1)] = Active;
                if (ms >= SETTLE_MS) controls[controlIndex(action, 1)] = Active;
            }
            const int stateBefore = match.frisbee.state;
            events.clear();
            match.step(elapsed, controls, events);
            defender.keepUsedUp(controls);
            ms += elapsed;
            if (stateBefore == FrisbeeHeld && match.frisbee.state != FrisbeeHeld && thrownAtMs < 0) {
                thrownAtMs = ms;
                heldAtThrow = defender.held();
            }
            if (thrownAtMs >= 0 && match.frisbee.state == FrisbeeHeld && match.frisbee.owner == 2) {
                ++caught;
                done = true;
            }
            if (match.message.shown) done = true;
        }
        if (answeredAtMs >= 0) {
            reactions.push_back(answeredAtMs - thrownAtMs);
            shortest = std::min(shortest, answeredAtMs - thrownAtMs);
        }
    }
    return {100.0 * caught / CATCH_THROWS, median(reactions), shortest};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    // A first look while tuning: fewer matches, only the neighbouring levels.
    const bool quick = mode == "--quick";
    const int matches = quick ? QUICK_MATCHES_PER_PAIR : MATCHES_PER_PAIR;
    if (mode != "--catches") {
    std::printf("Win rate of the row against the column, %d matches a pair, each side in turn (%%):\n\n", matches);
    std::printf("%-8s", "");
    for (const ComputerLevel& level : COMPUTER_LEVELS) std::printf("%9s", level.name);
    std::printf("%12s%10s\n", "StandStill", "Follower");
    for (int row = 0; row < COMPUTER_LEVEL_COUNT; ++row) {
        std::printf("%-8s", COMPUTER_LEVELS[row].name);
        for (int column = 0; column < COMPUTER_LEVEL_COUNT; ++column) {
            if (quick && column != row - 1 && column != row) {
                std::printf("%9s", "-");
                continue;
            }
            std::printf("%9.1f", winRate(row, column, 1000 * (row * 7 + column), matches));
            std::fflush(stdout);
        }
        std::printf("%12.1f", winRate(row, STAND_STILL, 50000 + row, matches));
        std::printf("%10.1f\n", winRate(row, FOLLOWER, 60000 + row, matches));
    }
    }
    std::printf("\nThrows caught of %d throws of every kind, and reaction from a throw to the first keys:\n\n",
                CATCH_THROWS);
    std::printf("%-8s%10s%18s%18s%12s\n", "", "caught %", "median reaction", "shortest reaction", "target");
    for (int level = 0; level < COMPUTER_LEVEL_COUNT; ++level) {
        const CatchFigures figures = catchFigures(level);
        std::printf("%-8s%10.1f%15.0f ms%15d ms%9d ms\n", COMPUTER_LEVELS[level].name, figures.caughtPercent,
                    figures.medianReactionMs, figures.shortestReactionMs, COMPUTER_LEVELS[level].reactionMs);
    }
    // On one thread, each level against itself: what a step of thinking
    // costs, and what it asks of the heap.
    std::vector<double> thinking;
    thinking.reserve(THINKING_STEPS_RESERVED);
    std::uint64_t allocations = 0;
    for (int level = 0; level < COMPUTER_LEVEL_COUNT; ++level)
        for (int i = 0; i < THINKING_MATCHES; ++i) playMatch(level, level, 90000 + 10 * level + i, &thinking, &allocations);
    std::sort(thinking.begin(), thinking.end());
    const auto at = [&](double share) { return thinking[static_cast<std::size_t>(share * (thinking.size() - 1))]; };
    std::printf("\nThinking per step (its thread's processor time) over %zu steps: median %.2f us, 99.9th percentile %.1f us, worst %.1f us\n",
                thinking.size(), at(0.5), at(0.999), thinking.back());
    std::printf("Heap allocations while the computer played: %llu\n", static_cast<unsigned long long>(allocations));
    return EXIT_SUCCESS;
}
