#pragma once
// Drives a whole tuning sweep headlessly: the scene tick at a given clock
// reading, the neuron tick with a counting click writer, and the recorder's
// poll after every tick, as the window's timer would.
#include <cstdint>

#include "tests/core/test_support.h"
#include "model/receptive_field.h"
#include "render/number_format.h"
#include "sim/tuning_analysis.h"
#include "sim/tuning_sweep.h"

namespace tuning_test {

inline int64_t clicks = 0;
inline void CountClick(int32_t) { ++clicks; }

// The default cell of the given type with the stimulus at its centre and the
// field hidden (the sweep must work without it, and the scene tick is cheaper).
inline void ResetForSweep(int32_t cellType, int32_t stimulusType, int32_t seed = 2024)
{
    ts::ResetEngine(cellType, seed);
    receptiveField.displayMode = Hidden;
    stimulus.stimulusType = stimulusType;
    const float dpp = stimulus.degreesPerPixel;
    stimulus.mouseX = TruncInt(receptiveField.centreX / dpp);
    stimulus.mouseY = TruncInt(receptiveField.centreY / dpp);
    stimulus.stimX = stimulus.mouseX * dpp;
    stimulus.stimY = stimulus.mouseY * dpp;
    if (SweepRunning()) StopSweep();
    tuningSweep.points.clear();
    clicks = 0;
}

// One neuron tick after one scene tick, both at tick n's clock time.
inline void RunTick(int64_t n)
{
    SceneTickAt(n * 20);
    NeuronTickCompute();
    NeuronTickFinish(0, CountClick);
}

// Runs a sweep to its end (or maxTicks); returns the ticks run.
inline int64_t RunSweep(const SweepPlan& plan, int64_t maxTicks = 1000000)
{
    int64_t n = 0;
    if (!StartSweep(plan)) return 0;
    while (SweepRunning() && n < maxTicks) {
        RunTick(n++);
        PollSweep();
    }
    return n;
}

inline TuningSummary SummaryOfSweep()
{
    return SummariseCurve(tuningSweep.field, AverageRepeats(tuningSweep.points));
}

}  // namespace tuning_test
