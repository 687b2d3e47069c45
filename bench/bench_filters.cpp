// Filter builds against the unfactored reference, which evaluates every
// element of every step from its formula into whole 500 x 500 x 20 arrays.
#include <benchmark/benchmark.h>

#include "bench/plain_filters.h"
#include "model/filters.h"
#include "model/receptive_field.h"
#include "tests/core/engine_records.h"

namespace {

// Sets the receptive field so that the box has the requested half size:
// the defaults give 118 (X cells) and 82 (Gabor cells); 249 needs a surround
// sigma of 80 pixels or a length of 80.1 pixels.
bool Prepare(int32_t cellType, int32_t halfSize)
{
    ResetEngineRecords(1000, 700);
    receptiveField.cellType = cellType;
    if (halfSize == 249) {
        receptiveField.surroundSigma = 80.5f / 38.0f;
        receptiveField.length = 2.108f;
    }
    BuildFilters();
    const RfFilterSet& set = CurrentFilters();
    return set.boxRight - set.boxLeft == 2 * halfSize;
}

void BM_BuildFilters(benchmark::State& state)
{
    if (!Prepare(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)))) {
        state.SkipWithError("box of the wrong size");
        return;
    }
    for (auto _ : state) {
        BuildFilters();
        benchmark::DoNotOptimize(CurrentFilters().absoluteSum);
    }
}

void BM_BuildFiltersDirect(benchmark::State& state)
{
    if (!Prepare(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)))) {
        state.SkipWithError("box of the wrong size");
        return;
    }
    BuildPlainFilters(plainFilters);  // a smaller box of an earlier run is cleared here, not timed
    for (auto _ : state) {
        BuildPlainFilters(plainFilters);
        benchmark::DoNotOptimize(plainFilters.absoluteSum);
        benchmark::ClobberMemory();
    }
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"cellType", "halfSize"});
    b->Args({OnCentreX, 118})->Args({OffCentreX, 118});
    b->Args({Simple, 82})->Args({DirectionalSimple, 82})->Args({Complex, 82});
    for (int32_t type = OnCentreX; type <= Complex; ++type) b->Args({type, 249});
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_BuildFilters)->Apply(Sizes);
BENCHMARK(BM_BuildFiltersDirect)->Apply(Sizes)->MinTime(0.5);
