// The worst tick (scene tick and neuron tick) at 1000 x 700 while every
// arrow key is held and the wheel spun each way, for every stimulus and cell,
// beside the worst tick of a fresh start with the same stimulus and cell.
// The first argument is how many steps each input is held; a tick runs
// every 25 steps.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "model/filters.h"
#include "model/receptive_field.h"
#include "sim/engine_reset.h"
#include "sim/neuron_tick.h"
#include "sim/scene_tick.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr int32_t kW = 1000, kH = 700;

void ShowStimulus(int32_t cellType, int32_t type)
{
    ResetEngineRecords(kW, kH);
    receptiveField.cellType = cellType;
    buildFilters();
    SetStimulusType(type);
    OnPointerMove(kW / 2, kH / 2 + 36);
    OnLeftButtonDown();
}

double TickSeconds(int64_t timeMs)
{
    const auto start = std::chrono::steady_clock::now();
    SceneTickAt(timeMs);
    NeuronTickCompute();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The worst tick over the whole table; steps 0 gives a fresh start's ticks.
double WorstTick(int32_t steps)
{
    const int32_t inputs[] = {KeyLeft, KeyUp, KeyRight, KeyDown, +120, -120};
    double worst = 0.0;
    for (int32_t cell = OnCentreX; cell <= Complex; ++cell) {
        for (int32_t type = Spot; type <= Grating; ++type) {
            for (int32_t input : inputs) {
                ShowStimulus(cell, type);
                for (int32_t step = 1; step <= std::max(steps, 250); ++step) {
                    if (steps > 0 && (input > 100 || input < 0)) OnWheel(input);
                    else if (steps > 0) OnKeyDown(input);
                    if (step % 25 == 0) worst = std::max(worst, TickSeconds(step * 20));
                }
            }
        }
    }
    return worst;
}

void BM_WorstTickAfterSustainedInput(benchmark::State& state)
{
    for (auto _ : state) {
        const double worst = WorstTick(static_cast<int32_t>(state.range(0)));
        state.SetIterationTime(worst);
        state.counters["worst_ms"] = worst * 1000.0;
    }
}
BENCHMARK(BM_WorstTickAfterSustainedInput)
    ->Arg(0)
    ->Arg(280)
    ->Arg(3000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
