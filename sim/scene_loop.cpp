#include "sim/scene_loop.h"

#include <atomic>
#include <mutex>

#include "model/vector_state.h"
#include "sim/audio_stream.h"
#include "sim/clock.h"
#include "sim/deadline_loop.h"

namespace {

std::atomic<int64_t> tickCount{0}, firstTickMs{0}, lastTickMs{0};

void SceneThreadStart();
void SceneThreadTick();

// A frame shows only the newest state: one missed is not worth drawing
// late, so a loop a whole tick behind starts afresh.
DeadlineLoop sceneLoop{.stall = kTickPeriod, .start = SceneThreadStart, .beforeDeadline = SceneThreadTick};
// Start and stop come from the user-interface thread (or a test); this
// orders them with each other, never with a tick.
std::mutex lifecycle;
void (*repaintRequest)() = nullptr;  // set before the thread starts

void SceneThreadStart() { ClearUpperVectorState(); }

void SceneThreadTick()
{
    const bool published = SceneTick();
    StimulusImagePublished();
    const int64_t now = MillisecondClock();
    if (tickCount.load(std::memory_order_relaxed) == 0) firstTickMs.store(now, std::memory_order_relaxed);
    lastTickMs.store(now, std::memory_order_relaxed);
    tickCount.fetch_add(1, std::memory_order_relaxed);
    if (repaintRequest && published) repaintRequest();
}

}  // namespace

void StartSceneThread(void (*repaint)())
{
    std::lock_guard<std::mutex> guard(lifecycle);
    if (DeadlineLoopRunning(sceneLoop)) return;
    tickCount.store(0, std::memory_order_relaxed);
    firstTickMs.store(0, std::memory_order_relaxed);
    lastTickMs.store(0, std::memory_order_relaxed);
    repaintRequest = repaint;
    StartDeadlineLoop(sceneLoop);
}

void StopSceneThread()
{
    std::lock_guard<std::mutex> guard(lifecycle);
    StopDeadlineLoop(sceneLoop);
}

LoopStats SceneLoopStats()
{
    LoopStats stats;
    stats.ticks = tickCount.load(std::memory_order_relaxed);
    stats.firstTickMs = firstTickMs.load(std::memory_order_relaxed);
    stats.lastTickMs = lastTickMs.load(std::memory_order_relaxed);
    std::lock_guard<std::mutex> guard(lifecycle);
    stats.running = DeadlineLoopRunning(sceneLoop);
    return stats;
}
