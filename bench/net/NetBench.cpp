// Online play on this machine: two sessions through the seeded relay on
// 127.0.0.1 with a virtual clock, for each condition whether the two
// matches stayed the same, how long rollbacks got and how often a frame
// waited; then how long a side takes to notice the other was killed, and
// what a rollback of eight steps costs in real time (scripts/net-bench.sh).
#include "net/OnlineSession.h"
#include "support/OnlinePair.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int BENCH_STEPS = 36000;
constexpr std::int64_t MATCH_LIMIT_MS = 20 * 60 * 1000;
constexpr std::int64_t LOST_LIMIT_MS = 10000;
constexpr std::int64_t PLAY_BEFORE_KILL_MS = 10000;
constexpr std::uint32_t SEED = 22;

struct Condition {
    const char* name;
    NetCondition link;  // one way: half the round trip
    double waitGoal;
};

struct Totals {
    long long steps = 0;
    long long frames = 0;
    long long waited = 0;
    int longest = 0;
    std::array<long long, RollbackSession::RING_STEPS + 1> rollbacks{};
    long long checksumsCompared = 0;
    bool desync = false;
    int matches = 0;
};

// A display's frames at 60 a second, as the game updates the session.
int frameMs(long long frame) { return onlineStepMs(static_cast<int>(frame % 3)); }

// Plays whole matches one after another until BENCH_STEPS steps are
// confirmed on both sides: a match that is over no longer steps anything.
Totals play(const Condition& condition) {
    Totals totals;
    for (std::uint32_t seed = SEED; totals.steps < BENCH_STEPS && !totals.desync; ++seed) {
        OnlinePair pair(condition.link, seed);
        if (!pair.ready() || !pair.startMatch()) {
            std::printf("  the sessions did not start\n");
            totals.desync = true;
            break;
        }
        long long frame = 0;
        const auto done = [&] {
            const auto both = static_cast<long long>(
                std::min(pair.confirmed(OnlinePair::HOST).size(), pair.confirmed(OnlinePair::JOIN).size()));
            return pair.host().phase() == OnlineSession::Phase::Ended ||
                   pair.join().phase() == OnlineSession::Phase::Ended ||
                   (pair.host().match().over && pair.join().match().over) || totals.steps + both >= BENCH_STEPS;
        };
        const std::int64_t endMs = pair.nowMs() + MATCH_LIMIT_MS;
        while (!done() && pair.nowMs() < endMs) pair.tick(frameMs(frame++));
        const std::vector<std::uint64_t>& host = pair.confirmed(OnlinePair::HOST);
        const std::vector<std::uint64_t>& join = pair.confirmed(OnlinePair::JOIN);
        const std::size_t both = std::min(host.size(), join.size());
        totals.desync = totals.desync || !std::equal(host.begin(), host.begin() + both, join.begin()) ||
                        pair.host().phase() == OnlineSession::Phase::Ended ||
                        pair.join().phase() == OnlineSession::Phase::Ended;
        if (pair.host().phase() == OnlineSession::Phase::Ended)
            std::printf("  the host ended: %s\n", pair.host().endText().c_str());
        if (pair.join().phase() == OnlineSession::Phase::Ended)
            std::printf("  the joiner ended: %s\n", pair.join().endText().c_str());
        totals.steps += static_cast<long long>(both);
        ++totals.matches;
        for (OnlineSession* side : {&pair.host(), &pair.join()}) {
            const OnlineStats& stats = side->stats();
            totals.frames += stats.frames;
            totals.waited += stats.waitedFrames;
            totals.checksumsCompared += stats.checksumsCompared;
            totals.longest = std::max(totals.longest, stats.longestRollback);
            for (std::size_t length = 0; length < stats.rollbacks.size(); ++length)
                totals.rollbacks[length] += stats.rollbacks[length];
        }
    }
    return totals;
}

int medianRollback(const Totals& totals) {
    long long count = 0;
    for (std::size_t length = 1; length < totals.rollbacks.size(); ++length) count += totals.rollbacks[length];
    long long seen = 0;
    for (std::size_t length = 1; length < totals.rollbacks.size(); ++length) {
        seen += totals.rollbacks[length];
        if (2 * seen >= count && count > 0) return static_cast<int>(length);
    }
    return 0;
}

void report(const Condition& condition) {
    const Totals totals = play(condition);
    long long rolledBack = 0;
    for (std::size_t length = 1; length < totals.rollbacks.size(); ++length) rolledBack += totals.rollbacks[length];
    const double waitShare = totals.frames > 0 ? static_cast<double>(totals.waited) / totals.frames : 1.0;
    std::printf("%s: %lld steps in %d match(es)\n", condition.name, totals.steps, totals.matches);
    std::printf("  desync: %s (checksums compared by the sessions: %lld)\n", totals.desync ? "YES" : "no",
                totals.checksumsCompared);
    std::printf("  rollbacks: %lld, longest %d steps, median %d steps\n", rolledBack, totals.longest,
                medianRollback(totals));
    std::printf("  frames that wait: %.3f %% of %lld (goal under %.0f %%: %s)\n", 100.0 * waitShare, totals.frames,
                100.0 * condition.waitGoal, waitShare < condition.waitGoal ? "met" : "MISSED");
}

void reportKilledSide(const Condition& condition, int killed) {
    OnlinePair pair(condition.link, SEED);
    if (!pair.ready() || !pair.startMatch()) return;
    pair.runUntil([] { return false; }, PLAY_BEFORE_KILL_MS);
    pair.kill(killed);
    const std::int64_t killedMs = pair.nowMs();
    OnlineSession& other = pair.side(killed == OnlinePair::HOST ? OnlinePair::JOIN : OnlinePair::HOST);
    pair.runUntil([&] { return other.phase() == OnlineSession::Phase::Ended; }, LOST_LIMIT_MS);
    const std::int64_t tookMs = pair.nowMs() - killedMs;
    std::printf("%s killed mid-match, %s: the other shows \"%s\" after %lld ms (goal within 3500 ms: %s)\n",
                killed == OnlinePair::HOST ? "the host" : "the joiner", condition.name, other.endText().c_str(),
                static_cast<long long>(tookMs),
                other.endText() == "connection lost" && tookMs <= 3500 ? "met" : "MISSED");
}

// The match well under way, then stepped eight steps on a guess of the
// other side's controls; each iteration corrects the first of them.
void BM_RollbackOfEightSteps(benchmark::State& state) {
    constexpr int RALLY_STEPS = 600;
    MatchEvents events;
    RollbackSession guessed(MatchState::start(0, 1, events), 1);
    std::mt19937 random(SEED);
    int step = 0;
    for (; step < RALLY_STEPS; ++step) {
        guessed.setLocalHeld(step, static_cast<std::uint8_t>(random() & 0x3F));
        guessed.addRemoteHeld(step, static_cast<std::uint8_t>(random() & 0x3F));
        guessed.advance(nullptr);
    }
    for (; step < RALLY_STEPS + RollbackSession::PREDICTION_STEPS; ++step) {
        guessed.setLocalHeld(step, static_cast<std::uint8_t>(random() & 0x3F));
        guessed.advance(nullptr);
    }
    const std::uint8_t wrong = static_cast<std::uint8_t>(~*guessed.localHeld(RALLY_STEPS - 1) & 0x3F);
    for (auto _ : state) {
        state.PauseTiming();
        RollbackSession session = guessed;
        session.addRemoteHeld(RALLY_STEPS, wrong);
        state.ResumeTiming();
        session.catchUp(nullptr);
        if (session.lastRollback() != RollbackSession::PREDICTION_STEPS) state.SkipWithError("not eight steps");
        benchmark::DoNotOptimize(session.newest());
    }
}
BENCHMARK(BM_RollbackOfEightSteps)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    const Condition conditions[] = {
        {"60 ms +- 10 ms round trip, 2 % loss, 1 % doubled, 1 % held back", {30, 5, 0.02, 0.01, 0.01}, 0.01},
        {"150 ms +- 30 ms round trip, 5 % loss, 1 % doubled, 1 % held back", {75, 15, 0.05, 0.01, 0.01}, 0.05},
    };
    for (const Condition& condition : conditions) report(condition);
    for (int killed : {OnlinePair::JOIN, OnlinePair::HOST}) reportKilledSide(conditions[1], killed);
    std::fflush(stdout);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
