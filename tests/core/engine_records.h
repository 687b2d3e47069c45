#pragma once
// The records as the program starts them, for the tests and the benchmarks.
#include <cstdint>

#include "model/filters.h"
#include "render/frame_buffer.h"
#include "sim/start_up.h"

// Every record at its start-up value on a width x height canvas, as the program's start and first resize leave
// them, the frame stores made anew and no filters built yet: each test builds the cell it needs.
inline void ResetEngineRecords(int32_t width, int32_t height)
{
    ResetFrameBuffers();
    ResetStartUpRecords(width, height, 0, true);
    ClientArea area;
    ApplyClientSize(width, height, area);  // the first resize brings in the trace margins
    ResetFilters();
}
