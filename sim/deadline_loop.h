#pragma once
// A worker thread that ticks against absolute 20 ms deadlines, and the means
// to stop it at once. The scene loop and the audio loop are each one.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "sim/audio_lead.h"
#include "sim/clock.h"

using SteadyClock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kTickPeriod{kTickMs};

// The steady clock, or the tests' scripted clock while one is set.
inline SteadyClock::time_point SteadyClockNow()
{
    const int64_t scripted = ScriptedClock();
    return scripted < 0 ? SteadyClock::now() : SteadyClock::time_point(std::chrono::milliseconds(scripted));
}

// The deadline after the one just reached, given the time now: one tick
// later, so the ticks average 20 ms whatever each one costs. A loop behind
// that deadline runs its next tick at once (it catches up); a loop more than
// `stall` behind it has stalled, and starts the deadlines afresh from now
// rather than running a burst of catch-up ticks.
SteadyClock::time_point NextDeadline(SteadyClock::time_point reached, SteadyClock::time_point now,
                                     SteadyClock::duration stall);

// The first grid point at or after t, the grid being the steady clock's
// 20 ms marks shifted by phase. Loops on the same grid keep their order: the
// scene tick at phase 0 has drawn before the neuron tick at 5 ms reads.
SteadyClock::time_point GridPointAfter(SteadyClock::time_point t, SteadyClock::duration phase);

// One loop: `start` once on the new thread, then for ever `beforeDeadline`,
// the sleep to the next deadline, `afterDeadline` (either may be null). A
// stop ends the loop after the `afterDeadline` of the tick it interrupts.
// Its deadlines lie on the grid of `phase`, from the start and after a stall.
// With `ready`, the sleep may end up to `early` before the deadline, as soon
// as ready() holds after a WakeDeadlineLoop: a tick that waits for another
// loop's work runs when that work is done, not at the latest it might be.
struct DeadlineLoop {
    SteadyClock::duration stall;
    SteadyClock::duration phase{};
    SteadyClock::duration early{};
    bool (*ready)() = nullptr;
    void (*start)() = nullptr;
    void (*beforeDeadline)() = nullptr;
    void (*afterDeadline)() = nullptr;

    // The mutex guards stopRequested and orders a stop with the sleep; it is
    // held only to look at the flag, never across a tick.
    std::mutex mutex{};
    std::condition_variable wake{};
    bool stopRequested = false;
    std::thread thread{};  // the controlling thread's
};

// From the controlling thread (one at a time). Start does nothing while the
// loop runs; Stop wakes the sleeper, joins, and is safe when not running.
void StartDeadlineLoop(DeadlineLoop& loop);
void StopDeadlineLoop(DeadlineLoop& loop);
bool DeadlineLoopRunning(const DeadlineLoop& loop);

// For a helper thread that lives and stops with the loop (or with any record
// that has the same mutex, wake and stopRequested): sleeps until `until`, or
// until ready() holds after a WakeDeadlineLoop. Returns false once a stop has
// been requested.
template <typename Loop, typename Ready>
bool WaitOnDeadlineLoop(Loop& loop, SteadyClock::time_point until, Ready ready)
{
    std::unique_lock<std::mutex> lock(loop.mutex);
    const auto woken = [&] { return loop.stopRequested || ready(); };
    if (ScriptedClock() < 0) {
        loop.wake.wait_until(lock, until, woken);
    } else {
        // A scripted clock moves without a notify: looked at every 0.2 ms.
        while (!woken() && SteadyClockNow() < until) loop.wake.wait_for(lock, std::chrono::microseconds(200));
    }
    return !loop.stopRequested;
}
// The same with no time limit.
template <typename Loop, typename Ready>
bool WaitOnDeadlineLoop(Loop& loop, Ready ready)
{
    std::unique_lock<std::mutex> lock(loop.mutex);
    loop.wake.wait(lock, [&] { return loop.stopRequested || ready(); });
    return !loop.stopRequested;
}
// Asks that the calling thread run at this niceness (below 0: before ordinary
// programs). Returns the niceness it has: unchanged where that is not allowed.
int32_t RaiseThisThread(int32_t niceness);

// After making a helper's ready() true: the brief lock keeps the wake from
// falling between the helper's look and its sleep.
void WakeDeadlineLoop(DeadlineLoop& loop);
