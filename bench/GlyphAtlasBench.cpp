#include "platform/GlyphAtlas.h"

#include <benchmark/benchmark.h>

namespace {

// Every font is rasterised once when it is created: start-up makes five.
void BM_GlyphAtlasCreate(benchmark::State& state) {
    const int height = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(GlyphAtlas::create("Arial", height, 0, 400, false));
}
BENCHMARK(BM_GlyphAtlasCreate)->Arg(25)->Arg(72)->Unit(benchmark::kMillisecond);

// Text is laid out on every draw, several times a frame.
void BM_LayoutText(benchmark::State& state) {
    const std::unique_ptr<GlyphAtlas> atlas = GlyphAtlas::create("Arial", 35, 0, 400, false);
    const Rect rect{0, 0, 640, 480};
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutText(*atlas, "Player 1: 12   Player 2: 17\nSet 2 - 0:42", rect, DT_CENTER | DT_VCENTER));
}
BENCHMARK(BM_LayoutText);

}  // namespace
