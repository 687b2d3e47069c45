#include "sim/deadline_loop.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

SteadyClock::time_point NextDeadline(SteadyClock::time_point reached, SteadyClock::time_point now,
                                     SteadyClock::duration stall)
{
    const SteadyClock::time_point next = reached + kTickPeriod;
    return now - next > stall ? now : next;
}

SteadyClock::time_point GridPointAfter(SteadyClock::time_point t, SteadyClock::duration phase)
{
    const auto since = (t - phase).time_since_epoch();
    const auto into = since % kTickPeriod;
    const auto back = into < SteadyClock::duration::zero() ? into + kTickPeriod : into;
    return back == SteadyClock::duration::zero() ? t : t - back + kTickPeriod;
}

namespace {

void RunDeadlineLoop(DeadlineLoop* loop)
{
    if (loop->start) loop->start();
    SteadyClock::time_point deadline = GridPointAfter(SteadyClockNow(), loop->phase) - kTickPeriod;
    for (;;) {
        if (loop->beforeDeadline) loop->beforeDeadline();
        const SteadyClock::time_point now = SteadyClockNow();
        deadline = NextDeadline(deadline, now, loop->stall);
        if (deadline == now) deadline = GridPointAfter(now, loop->phase);  // after a stall
        // A stop cuts the sleep short, not the tick: its second half still runs.
        const SteadyClock::time_point from = deadline - loop->early;
        const bool goOn = WaitOnDeadlineLoop(
            *loop, deadline, [&] { return loop->ready && SteadyClockNow() >= from && loop->ready(); });
        if (loop->afterDeadline) loop->afterDeadline();
        if (!goOn) return;
    }
}

}  // namespace

void StartDeadlineLoop(DeadlineLoop& loop)
{
    if (loop.thread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(loop.mutex);
        loop.stopRequested = false;
    }
    loop.thread = std::thread(RunDeadlineLoop, &loop);
}

void StopDeadlineLoop(DeadlineLoop& loop)
{
    if (!loop.thread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(loop.mutex);
        loop.stopRequested = true;
    }
    loop.wake.notify_all();
    loop.thread.join();
}

bool DeadlineLoopRunning(const DeadlineLoop& loop) { return loop.thread.joinable(); }

void WakeDeadlineLoop(DeadlineLoop& loop)
{
    { std::lock_guard<std::mutex> lock(loop.mutex); }
    loop.wake.notify_all();
}

int32_t RaiseThisThread([[maybe_unused]] int32_t niceness)
{
#if defined(__linux__)
    // On Linux a niceness set for a thread's own id is that thread's alone.
    const id_t self = static_cast<id_t>(gettid());
    setpriority(PRIO_PROCESS, self, niceness);
    return getpriority(PRIO_PROCESS, self);
#else
    return 0;
#endif
}
