// What rollback and prediction pay per step: saving a match, restoring it,
// checking it and stepping it.
#include "match/MatchEvents.h"
#include "match/MatchState.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// A rally under way, so that every part of the match has moved.
MatchState rally() {
    MatchEvents events;
    MatchState match = MatchState::start(ModelBig, ModelSmall, events);
    ControlStates controls{};
    controls[controlIndex(Down, 2)] = Active;
    for (int i = 0; i < 100; ++i) match.step(16, controls, events);
    return match;
}

void BM_MatchCopy(benchmark::State& state) {
    MatchState source = rally();
    MatchState copy;
    for (auto _ : state) {
        benchmark::DoNotOptimize(source);
        copy = source;
        benchmark::DoNotOptimize(copy);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sizeof(MatchState)));
}
BENCHMARK(BM_MatchCopy);

// A ring of saved steps as rollback keeps them: restore one, step on.
void BM_MatchRestoreAndStep(benchmark::State& state) {
    std::array<MatchState, 12> ring;
    ring.fill(rally());
    MatchState match;
    MatchEvents events;
    std::size_t slot = 0;
    for (auto _ : state) {
        match = ring[slot];
        ControlStates controls{};
        events.clear();
        match.step(16, controls, events);
        ring[slot] = match;
        slot = (slot + 1) % ring.size();
        benchmark::DoNotOptimize(match);
    }
}
BENCHMARK(BM_MatchRestoreAndStep);

void BM_MatchChecksum(benchmark::State& state) {
    const MatchState match = rally();
    for (auto _ : state) benchmark::DoNotOptimize(match.checksum());
}
BENCHMARK(BM_MatchChecksum);

}  // namespace
