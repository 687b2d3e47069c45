// Both worker loops running for real while the user-interface side changes
// everything they read: no torn value, no NaN, and both keep ticking.
#include <atomic>

#include "sim/clock.h"
#include "tests/core/clock_output.h"
#include "tests/core/test_support.h"

using namespace ts;

std::atomic<int64_t> repaintCount{0};

TEST(ThreadedEngine, BothLoopsRunWhileEverythingChanges)
{
    ResetEngine(OnCentreX);
    stimulus.stimulusType = Spot;
    repaintCount = 0;
    StartSceneThread([] { repaintCount.fetch_add(1, std::memory_order_relaxed); });
    StartAudioThread(ClockWaveOutput());

    // Enough changes to cross many ticks of both loops, however busy the machine.
    const int64_t end = MillisecondClock() + 1500;
    int32_t step = 0;
    while (MillisecondClock() < end || SceneLoopStats().ticks < 5 || AudioLoopStatistics().ticks < 5) {
        ++step;
        receptiveField.cellType = 1 + step % 5;
        receptiveField.centreX = (300.0f + (step * 37) % 400) * kDegreesPerPixel;
        BuildFilters();
        stimulus.stimulusType = 1 + step % 4;
        stimulus.mouseX = 300 + (step * 53) % 400;
        stimulus.mouseY = 200 + (step * 29) % 300;
        stimulus.stimulusOn = step % 3 != 0;
        modelOptions.saturatingIO = step % 2 == 0;
        modelOptions.currentSpontaneousRate = static_cast<float>(step % 102);
        modelOptions.currentGammaOrder = step % 8;  // includes 0
        traces.traceWidth = 2 + step % 2300;
    }
    StopAudioThread();
    StopSceneThread();

    for (int32_t i = 1; i <= kMaxTraceWidth; ++i) ASSERT_TRUE(std::isfinite(traces.responseTrace[i].load())) << i;
    EXPECT_TRUE(std::isfinite(simulation.peakRate.load()) && std::isfinite(simulation.expectedRate));
    EXPECT_GE(repaintCount.load(), SceneLoopStats().ticks);
}
