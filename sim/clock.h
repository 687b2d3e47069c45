#pragma once
#include <cstdint>

// Milliseconds of the monotonic clock. Both worker loops and the shell time
// themselves against it; it never goes backwards.
int64_t MillisecondClock();

// The tests' way in: a clock they move by hand. While one is set (ms >= 0),
// MillisecondClock returns it and the worker loops' deadlines and waits
// follow it (SteadyClockNow in sim/deadline_loop.h), so a test steps the
// loops tick by tick and takes no time waiting. The program never sets it.
void SetScriptedClock(int64_t ms);  // below 0: back to the steady clock
int64_t ScriptedClock();            // -1 when none is set
