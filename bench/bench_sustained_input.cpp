// The worst tick (scene tick and neuron tick) at 1000 x 700 while every
// arrow key is held and the wheel spun each way, for every stimulus and cell,
// beside the worst tick of a fresh start with the same stimulus and cell.
// The first argument is how many steps each input is held; a tick runs
// every 25 steps. Times are the thread's processor time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string>

#include "model/filters.h"
#include "model/receptive_field.h"
#include "render/scene_drawing.h"
#include "sim/neuron_tick.h"
#include "sim/scene_tick.h"
#include "stimulus/stimulus_state.h"
#include "tests/core/engine_records.h"

namespace {

constexpr int32_t kW = 1000, kH = 700;

void ShowStimulus(int32_t cellType, int32_t type)
{
    ResetEngineRecords(kW, kH);
    receptiveField.cellType = cellType;
    BuildFilters();
    SetStimulusType(type);
    OnPointerMove(kW / 2, kH / 2 + 36);
    OnLeftButtonDown();
}

// The thread's own processor time: on a shared machine the wall clock would
// count the time other programs took.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double TickSeconds(int64_t timeMs)
{
    const double start = ThreadSeconds();
    SceneTickAt(timeMs);
    NeuronTickCompute();
    return ThreadSeconds() - start;
}

std::string worstCase;

// The worst tick over the whole table once the inputs have been held for 250
// steps; steps 0 gives the first ten ticks of a fresh start instead.
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
                    if (step % 25 != 0) continue;
                    if (steps > 0 && step <= 250) {
                        TickSeconds(step * 20);
                        continue;
                    }
                    const double seconds = TickSeconds(step * 20);
                    if (seconds <= worst) continue;
                    worst = seconds;
                    worstCase = "cell " + std::to_string(cell) + " stimulus " + std::to_string(type) + " input " +
                                std::to_string(input) + " step " + std::to_string(step);
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
        state.SetLabel(worstCase);
    }
}
// One pass, timed by the worst tick it saw.
void WorstOfOnePass(benchmark::internal::Benchmark* b)
{
    b->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_WorstTickAfterSustainedInput)->Arg(0)->Arg(300)->Arg(3000)->Apply(WorstOfOnePass);

}  // namespace

namespace {

// The Right key held on a spot with a tick after every press: whether a
// press costs much depends on how its radius squared rounds, so every one is
// measured. The argument is the number of presses.
void BM_WorstTickHoldingRightOnASpot(benchmark::State& state)
{
    for (auto _ : state) {
        ShowStimulus(OnCentreX, Spot);
        double worst = 0.0;
        int64_t worstWork = 0;
        for (int32_t press = 1; press <= state.range(0); ++press) {
            OnKeyDown(KeyRight);
            const int64_t before = RasterisationWork();
            worst = std::max(worst, TickSeconds(press * 20));
            worstWork = std::max(worstWork, RasterisationWork() - before);
        }
        state.SetIterationTime(worst);
        state.counters["worst_ms"] = worst * 1000.0;
        // Coverage tests and pixels of the costliest tick: bounded by the canvas, however large the spot.
        state.counters["worst_raster_work"] = static_cast<double>(worstWork);
    }
}
BENCHMARK(BM_WorstTickHoldingRightOnASpot)->Arg(300)->Arg(3000)->Apply(WorstOfOnePass);

}  // namespace
