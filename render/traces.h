#pragma once
#include <cstdint>

#include "model/app_state.h"
#include "model/relaxed.h"

// The two running traces across the top of the picture. Slots are 1-based
// as the ring is counted; index 0 of the arrays is unused.
struct RunningTraces {
    // Written by the neuron tick, read by the scene thread and the overlay.
    Relaxed<int32_t> traceIndex{1};
    // The drive of each tick, at most 1.0 (a saturated drive reaches it).
    Relaxed<float> responseTrace[kMaxTraceWidth + 1];
    // Whether the tick fired: kept apart from the drive so that no drive
    // value, a saturated one included, can pass for a spike.
    Relaxed<int32_t> spikeTrace[kMaxTraceWidth + 1];
    Relaxed<int32_t> stimulusTrace[kMaxTraceWidth + 1];
    // Written by the user-interface thread: clientWidth - 2 * margin, at most kMaxTraceWidth.
    Relaxed<int32_t> traceWidth{0};
};
extern RunningTraces traces;
