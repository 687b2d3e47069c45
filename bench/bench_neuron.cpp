// The neuron tick's compute part against the plain 20-step dot product, per
// cell type, at the default box and at the largest box built in practice.
#include <benchmark/benchmark.h>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "sim/engine_reset.h"
#include "sim/neuron_tick.h"
#include "sim/response.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace {

// Builds the cell with the requested box half size (the type's default box,
// or 249) and fills the history with noise. False when the box came out
// different.
bool PrepareCell(int32_t cellType, int32_t halfSize)
{
    randomWord.word.store(2024);
    ResetEngineRecords(1000, 700);
    receptiveField.cellType = cellType;
    if (halfSize == 249) {
        if (cellType == OnCentreX || cellType == OffCentreX) receptiveField.surroundSigma = 10.0f;
        else receptiveField.length = 2.13f;
    }
    buildFilters();
    const RfFilterSet& set = CurrentFilters();
    if ((set.boxRight - set.boxLeft) != 2 * halfSize) return false;
    for (int32_t tick = 0; tick < kHistoryFrames; ++tick) {
        float* image = StimulusImageBack();
        for (int32_t i = 0; i < kFilterPixels; ++i) image[i] = 2.0f * Lcg() - 1.0f;
        PublishStimulusImage();
        NeuronTickCompute();
    }
    return true;
}

void BM_NeuronTick(benchmark::State& state)
{
    if (!PrepareCell(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)))) {
        state.SkipWithError("box size not reached");
        return;
    }
    for (auto _ : state) {
        NeuronTickCompute();
        benchmark::DoNotOptimize(simulation.expectedRate);
    }
}

void BM_NeuronTickDirect(benchmark::State& state)
{
    if (!PrepareCell(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)))) {
        state.SkipWithError("box size not reached");
        return;
    }
    for (auto _ : state) {
        CopyStimulusToHistory();
        benchmark::DoNotOptimize(DirectDrive());
        simulation.historySlot = simulation.historySlot % kHistoryFrames + 1;
    }
}

void CellSizes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"cellType", "halfSize"});
    for (int32_t type = OnCentreX; type <= Complex; ++type) {
        b->Args({type, type <= OffCentreX ? 118 : 82});
        b->Args({type, 249});
    }
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_NeuronTick)->Apply(CellSizes);
BENCHMARK(BM_NeuronTickDirect)->Apply(CellSizes);
