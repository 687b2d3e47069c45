// The neuron tick's compute part against the plain tick: the image copied
// into the history, then the 20-step dot product of the history with the
// filters held as whole 500 x 500 x 20 arrays. Per cell type, at the default
// box and at the largest box built in practice.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "bench/plain_filters.h"
#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "sim/neuron_tick.h"
#include "sim/response.h"
#include "sim/row_dot.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_image.h"
#include "stimulus/stimulus_state.h"
#include "tests/core/engine_records.h"

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
    BuildFilters();
    const RfFilterSet& set = CurrentFilters();
    if ((set.boxRight - set.boxLeft) != 2 * halfSize) return false;
    for (int32_t tick = 0; tick < kHistoryFrames; ++tick) {
        float* image = StimulusImageBack();
        for (int32_t i = 0; i < kFilterPixels; ++i) image[i] = 2.0f * Lcg() - 1.0f;
        PublishStimulusImage(CurrentFilters());
        NeuronTickCompute();
    }
    return true;
}

// The plain tick up to the drive: copies the newest image into the history
// slot, takes step s against the frame of s - 1 ticks ago, advances the slot.
float PlainDrive()
{
    const RfFilterSet& set = CurrentFilters();
    const int32_t w = std::min(set.boxRight - set.boxLeft, kFilterSide);
    const int32_t h = std::min(set.boxBottom - set.boxTop, kFilterSide);
    const int32_t n = simulation.historySlot;
    const float* image = LatestStimulusImage();
    float* newest = simulation.stimulusHistory[n - 1];
    for (int32_t r = 0; r < h; ++r)
        std::memcpy(newest + r * kFilterSide, image + r * kFilterSide, sizeof(float) * w);
    const bool complex = set.cellType == Complex;
    double a = 0.0, b = 0.0;
    for (int32_t s = 1; s <= kFilterSteps; ++s) {
        const int32_t f = n - (s - 1) > 0 ? n - (s - 1) : n - (s - 1) + kHistoryFrames;
        const float* frame = simulation.stimulusHistory[f - 1];
        for (int32_t r = 0; r < h; ++r) {
            const float* row = frame + r * kFilterSide;
            if (complex) {
                a += RowDot(plainFilters.energyA[s - 1][r], row, w);
                b += RowDot(plainFilters.energyB[s - 1][r], row, w);
            } else {
                a += RowDot(plainFilters.linear[s - 1][r], row, w);
            }
        }
    }
    simulation.historySlot = n % kHistoryFrames + 1;
    double drive = a;
    if (complex) drive = (a * a + b * b) / 1000.0 / (stimulus.stimulusType == Grating ? 5.0 : 1.0);
    return static_cast<float>(drive) * modelOptions.currentMaxRate;
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
    BuildPlainFilters(plainFilters);  // materialised once, outside the timing
    // Once: the plain tick must give the drive the program's tick gives.
    const int32_t slot = simulation.historySlot;
    CopyStimulusToHistory(CurrentFilters());
    const float fast = ComputeDrive(CurrentFilters());
    simulation.historySlot = slot;
    const float plain = PlainDrive();
    // The largest drive of a linear cell, for images within -1..1.
    const float bound = modelOptions.currentMaxRate * CurrentFilters().absoluteSum;
    if (!(std::fabs(plain - fast) <= 1e-4f * std::fabs(fast) + 1e-7f * bound)) {
        state.SkipWithError("plain drive differs from the tick's");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(DriveToRate(CurrentFilters(), PlainDrive()));
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
