#pragma once
// For the tests and benchmarks that run the audio loop with no sound device.
#include <atomic>
#include <cstdint>

#include "sim/audio_stream.h"
#include "sim/clock.h"

// A stand-in device that plays nothing: its position runs with the clock from the moment it was opened, so the
// loop paces and places clicks as with sound.
inline std::atomic<int64_t> clockOpenedMs{0}, clockOpenedAt{0};

inline bool ClockOpen(int64_t fromSample)
{
    clockOpenedAt.store(fromSample, std::memory_order_relaxed);
    clockOpenedMs.store(MillisecondClock(), std::memory_order_relaxed);
    return true;
}
inline void ClockClose() {}
inline int64_t ClockPosition()
{
    const int64_t elapsed = MillisecondClock() - clockOpenedMs.load(std::memory_order_relaxed);
    return clockOpenedAt.load(std::memory_order_relaxed) + elapsed * kAudioRate / 1000;
}
inline bool ClockLost() { return false; }
inline void ClockReport(const char*) {}

inline WaveOutput ClockWaveOutput()
{
    return WaveOutput{ClockOpen, ClockClose, ClockPosition, ClockLost, ClockReport};
}
