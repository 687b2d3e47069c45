#pragma once
#include <cstdint>

// Milliseconds of the monotonic clock. Both worker loops and the shell time
// themselves against it; it never goes backwards.
int64_t MillisecondClock();
