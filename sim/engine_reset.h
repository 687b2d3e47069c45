#pragma once
#include <cstdint>

// Every record, image and buffer of the engine back to its start-up value for
// a client area of width x height, with no filters built yet. For headless
// runs (tests, benchmarks); no worker thread may be running.
void ResetEngineRecords(int32_t width, int32_t height);
