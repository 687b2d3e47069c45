#include "sim/scene_loop.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "model/filters.h"
#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "sim/clock.h"
#include "sim/scene_drawing.h"
#include "sim/simulation_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr uint32_t kBackgroundGrey = 0x808080;
constexpr auto kTick = std::chrono::milliseconds(20);

// The size the shell asks for, width in the high half and height in the low
// half so a tick never sees one side of one size with the other of another.
// Stored with release after the stores for it were provided, so the tick
// that reads it with acquire finds them.
std::atomic<uint64_t> requestedSize{0};

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
    using Clock = std::chrono::steady_clock;
    Clock::time_point next = Clock::now();
    for (;;) {
        SceneTick();
        const int64_t now = MillisecondClock();
        if (tickCount.load(std::memory_order_relaxed) == 0) firstTickMs.store(now, std::memory_order_relaxed);
        lastTickMs.store(now, std::memory_order_relaxed);
        tickCount.fetch_add(1, std::memory_order_relaxed);
        if (repaint) repaint();

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

void SceneTick()
{
    SceneTickAt(MillisecondClock());
}

void SceneTickAt(int64_t timeMs)
{
    const uint64_t size = requestedSize.load(std::memory_order_acquire);
    int32_t width = static_cast<int32_t>(static_cast<uint32_t>(size >> 32));
    int32_t height = static_cast<int32_t>(static_cast<uint32_t>(size));
    SizeFrameBuffer(width, height);
    ClearFrame(kBackgroundGrey);

    const RfFilterSet& filters = AcquireFilters(SceneReader);
    // The image starts empty every tick, so what the neuron sees is exactly
    // what this tick rasterises: nothing of an earlier position stays behind.
    std::memset(StimulusImageBack(), 0, sizeof(float) * kFilterPixels);
    const int32_t mode = receptiveField.displayMode;
    if (mode == GreyScale || mode == Outlines || mode == Revealed) DrawReceptiveField(filters);
    const bool grating = StimulusPresent() && RasteriseStimulusAt(filters, timeMs) == Grating;
    if (marks.markCount.load(std::memory_order_acquire) != 0) DrawMarks();
    DrawTraces();
    ReleaseFilters(SceneReader);

    PublishFrame();
    // Published also when the stimulus is off: the neuron then sees the
    // cleared image.
    PublishStimulusImage(grating);
}

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

void RequestFrameSize(int32_t width, int32_t height)
{
    ProvideFrameStores(width, height);
    const uint64_t size = uint64_t{static_cast<uint32_t>(width)} << 32 | static_cast<uint32_t>(height);
    requestedSize.store(size, std::memory_order_release);
}

LoopStats SceneLoopStats()
{
    LoopStats stats;
    stats.ticks = tickCount.load(std::memory_order_relaxed);
    stats.firstTickMs = firstTickMs.load(std::memory_order_relaxed);
    stats.lastTickMs = lastTickMs.load(std::memory_order_relaxed);
    return stats;
}
