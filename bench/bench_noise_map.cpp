// One tick fed to the noise map: the frame made when it changes, then every lag's counts over the grid. The
// largest grid of white noise with a spike every tick is the worst case; the default sparse grid the common one.
#include <benchmark/benchmark.h>

#include <memory>

#include "mapping/spike_triggered_average.h"

namespace {

void FeedMapTick(benchmark::State& state)
{
    NoiseSettings s;
    s.kind = state.range(0) ? WhiteNoiseKind : SparseNoiseKind;
    s.columns = s.rows = static_cast<int32_t>(state.range(1));
    auto m = std::make_unique<SpikeTriggeredAverage>();
    ResetMap(*m, s);
    int64_t tick = 0;
    for (auto _ : state) {
        FeedMap(*m, 1, tick / s.frameTicks);
        ++tick;
    }
    benchmark::DoNotOptimize(m->sum[3][0]);
}
BENCHMARK(FeedMapTick)->Args({0, 8})->Args({1, 8})->Args({0, 32})->Args({1, 32});

}  // namespace
