#include "sim/scene_loop.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "model/vector_state.h"
#include "sim/clock.h"

namespace {

constexpr auto kTick = std::chrono::milliseconds(20);

std::atomic<int64_t> tickCount{0}, firstTickMs{0}, lastTickMs{0};

// Start and stop come from the user-interface thread (or a test); the mutex
// only orders them with each other and with the loop's sleep, never a tick.
std::mutex lifecycle;
std::mutex sleepMutex;
std::condition_variable wake;
bool stopRequested = false;  // guarded by sleepMutex
std::thread sceneThread;     // guarded by lifecycle

void SceneThreadMain(void (*repaint)())
{
    ClearUpperVectorState();
    using Clock = std::chrono::steady_clock;
    Clock::time_point next = Clock::now();
    for (;;) {
        const bool published = SceneTick();
        const int64_t now = MillisecondClock();
        if (tickCount.load(std::memory_order_relaxed) == 0) firstTickMs.store(now, std::memory_order_relaxed);
        lastTickMs.store(now, std::memory_order_relaxed);
        tickCount.fetch_add(1, std::memory_order_relaxed);
        if (repaint && published) repaint();

        // Absolute deadlines keep the average at 20 ms; a tick that overran
        // starts the next at once, and after a stall of a whole tick or more
        // the deadlines restart from now instead of catching up in a burst.
        next += kTick;
        const Clock::time_point start = Clock::now();
        if (start >= next + kTick) next = start;
        std::unique_lock<std::mutex> lock(sleepMutex);
        if (wake.wait_until(lock, next, [] { return stopRequested; })) return;
    }
}

}  // namespace

void StartSceneThread(void (*repaint)())
{
    std::lock_guard<std::mutex> guard(lifecycle);
    if (sceneThread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(sleepMutex);
        stopRequested = false;
    }
    tickCount.store(0, std::memory_order_relaxed);
    firstTickMs.store(0, std::memory_order_relaxed);
    lastTickMs.store(0, std::memory_order_relaxed);
    sceneThread = std::thread(SceneThreadMain, repaint);
}

void StopSceneThread()
{
    std::lock_guard<std::mutex> guard(lifecycle);
    if (!sceneThread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(sleepMutex);
        stopRequested = true;
    }
    wake.notify_all();
    sceneThread.join();
}

LoopStats SceneLoopStats()
{
    LoopStats stats;
    stats.ticks = tickCount.load(std::memory_order_relaxed);
    stats.firstTickMs = firstTickMs.load(std::memory_order_relaxed);
    stats.lastTickMs = lastTickMs.load(std::memory_order_relaxed);
    return stats;
}
