#pragma once
#include <cstdint>

#include "model/app_state.h"
#include "model/relaxed.h"

// The two running traces across the top of the picture. Slots are 1-based
// as the ring is counted; index 0 of the arrays is unused.
struct RunningTraces {
    // Written by the neuron tick, read by the scene thread and the overlay.
    Relaxed<int32_t> traceIndex{1};
    Relaxed<float> responseTrace[kMaxTraceWidth + 1];
    Relaxed<int32_t> stimulusTrace[kMaxTraceWidth + 1];
    // Written by the user-interface thread: clientWidth - 2 * margin, at most kMaxTraceWidth.
    Relaxed<int32_t> traceWidth{0};
};
extern RunningTraces traces;
