#include "sim/deadline_loop.h"

SteadyClock::time_point NextDeadline(SteadyClock::time_point reached, SteadyClock::time_point now,
                                     SteadyClock::duration stall)
{
    const SteadyClock::time_point next = reached + kTickPeriod;
    return now - next > stall ? now : next;
}

namespace {

void RunDeadlineLoop(DeadlineLoop* loop)
{
    if (loop->start) loop->start();
    SteadyClock::time_point deadline = SteadyClock::now();
    for (;;) {
        if (loop->beforeDeadline) loop->beforeDeadline();
        deadline = NextDeadline(deadline, SteadyClock::now(), loop->stall);
        // A stop cuts the sleep short, not the tick: its second half still runs.
        const bool goOn = WaitOnDeadlineLoop(*loop, deadline, [] { return false; });
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
