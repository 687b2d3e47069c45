#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "tests/core/test_support.h"
#include "sim/clock.h"

using namespace ts;

namespace {

// Instrumented builds run every tick many times slower: there only the lower
// timing bounds mean anything (deadlines never let ticks come early).
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr bool kInstrumented = true;
#else
constexpr bool kInstrumented = false;
#endif

std::atomic<int64_t> clickCount{0};
std::atomic<int64_t> repaintCount{0};
void CountClick(int32_t) { clickCount.fetch_add(1, std::memory_order_relaxed); }
void CountRepaint() { repaintCount.fetch_add(1, std::memory_order_relaxed); }

// A neuron loop like the audio thread's, with a play position that follows
// the clock instead of a device.
struct NeuronLoop {
    std::atomic<bool> stop{false};
    std::atomic<int64_t> ticks{0}, firstMs{0}, lastMs{0};
    std::atomic<bool> sawNonFinite{false};
    std::thread thread;

    void Start()
    {
        thread = std::thread([this] {
            using Clock = std::chrono::steady_clock;
            const Clock::time_point origin = Clock::now();
            Clock::time_point next = origin;
            while (!stop.load(std::memory_order_relaxed)) {
                NeuronTickCompute();
                next += std::chrono::milliseconds(20);
                std::this_thread::sleep_until(next);
                const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - origin);
                NeuronTickFinish(elapsed.count() * 441 / 10000, CountClick);
                if (!std::isfinite(simulation.peakRate.load()) || !std::isfinite(simulation.expectedRate))
                    sawNonFinite = true;
                const int64_t now = MillisecondClock();
                if (ticks.load() == 0) firstMs = now;
                lastMs = now;
                ticks.fetch_add(1);
            }
        });
    }
    void Stop()
    {
        stop = true;
        thread.join();
    }
};

double MeanInterval(int64_t ticks, int64_t first, int64_t last)
{
    return ticks > 1 ? static_cast<double>(last - first) / static_cast<double>(ticks - 1) : 0.0;
}

}  // namespace

TEST(ThreadedEngine, BothLoopsKeepTimeWhileEverythingChanges)
{
    ResetEngine(OnCentreX);
    stimulus.stimulusType = Spot;
    stimulus.mouseX = 500;
    stimulus.mouseY = 350;
    clickCount = 0;
    repaintCount = 0;
    StartSceneThread(CountRepaint);
    NeuronLoop neuron;
    neuron.Start();

    const int64_t end = MillisecondClock() + 3000;
    int32_t step = 0;
    while (MillisecondClock() < end) {
        ++step;
        receptiveField.cellType = 1 + step % 5;
        receptiveField.centreX = (300.0f + (step * 37) % 400) * stimulus.degreesPerPixel;
        buildFilters();
        stimulus.stimulusType = 1 + step % 4;
        stimulus.mouseX = 300 + (step * 53) % 400;
        stimulus.mouseY = 200 + (step * 29) % 300;
        stimulus.stimulusOn = step % 3 != 0;
        modelOptions.saturatingIO = step % 2 == 0;
        modelOptions.currentSpontaneousRate = static_cast<float>(step % 102);
        modelOptions.currentGammaOrder = step % 8;  // includes 0
        simulation.traceWidth = 2 + step % 2300;
    }
    neuron.Stop();
    StopSceneThread();

    EXPECT_GT(step, 10);
    EXPECT_FALSE(neuron.sawNonFinite.load());
    for (int32_t i = 1; i <= kMaxTraceWidth; ++i)
        ASSERT_TRUE(std::isfinite(simulation.responseTrace[i].load())) << i;
    EXPECT_TRUE(std::isfinite(simulation.peakRate.load()));
    EXPECT_GT(clickCount.load(), 0);

    const LoopStats scene = SceneLoopStats();
    EXPECT_GT(scene.ticks, kInstrumented ? 5 : 100);
    EXPECT_GE(repaintCount.load(), scene.ticks);
    const double sceneMean = MeanInterval(scene.ticks, scene.firstTickMs, scene.lastTickMs);
    const double neuronMean = MeanInterval(neuron.ticks, neuron.firstMs, neuron.lastMs);
    EXPECT_GT(sceneMean, 18.0);
    EXPECT_GT(neuronMean, 18.0);
    if (!kInstrumented) {
        EXPECT_LT(sceneMean, 30.0);
        EXPECT_LT(neuronMean, 30.0);
    }
}

TEST(ThreadedSceneLoop, StartsAndStopsManyTimes)
{
    ResetEngine(Simple);
    StopSceneThread();  // not running: nothing to do
    for (int32_t round = 0; round < 40; ++round) {
        StartSceneThread(round % 2 ? CountRepaint : nullptr);
        StartSceneThread(CountRepaint);  // already running: ignored
        if (round % 5 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(45));
        StopSceneThread();
        StopSceneThread();
    }
    StartSceneThread(nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    StopSceneThread();
    const LoopStats stats = SceneLoopStats();
    EXPECT_GE(stats.ticks, kInstrumented ? 1 : 3);
    EXPECT_LE(stats.ticks, 8) << "never faster than one tick per 20 ms";
}
