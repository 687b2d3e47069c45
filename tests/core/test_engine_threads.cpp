// Both worker loops running for real while the user-interface side changes everything they read, a lesson
// opened among the rest: no torn value, no NaN, and both keep ticking. Each scripted step of 20 ms is one tick
// of each loop.
#include <atomic>

#include "controls/lesson.h"
#include "tests/core/clock_output.h"
#include "tests/core/test_support.h"

using namespace ts;

std::atomic<int64_t> repaintCount{0};
constexpr const char* kLesson = R"({"format":"tessaline-lesson","version":1,"seed":9,
    "area":{"width":1000,"height":700},"cell":{"type":"complex","display":"hidden"},"stimulus":{"type":"grating"}})";

TEST(ThreadedEngine, BothLoopsRunWhileEverythingChanges)
{
    ResetEngine(OnCentreX);
    stimulus.stimulusType = Spot, repaintCount = 0;
    int64_t now = 100000;  // a scene tick's mark: both loops tick as they start
    SetScriptedClock(now);
    StartSceneThread([] { repaintCount.fetch_add(1, std::memory_order_relaxed); });
    StartAudioThread(ClockWaveOutput());
    int32_t step = 0;
    for (int64_t tick = 1; tick <= 60; ++tick) {
        // Changes go on while the loops run this step's ticks.
        while (SceneLoopStats().ticks < tick || AudioLoopStatistics().ticks < tick) {
            ++step;
            receptiveField.cellType = 1 + step % 5;
            receptiveField.centreX = (300.0f + (step * 37) % 400) * kDegreesPerPixel;
            BuildFilters();
            stimulus.stimulusType = 1 + step % 4, stimulus.stimulusOn = step % 3 != 0;
            stimulus.mouseX = 300 + (step * 53) % 400, stimulus.mouseY = 200 + (step * 29) % 300;
            modelOptions.saturatingIO = step % 2 == 0, modelOptions.currentSpontaneousRate = static_cast<float>(step % 102);
            modelOptions.currentGammaOrder = step % 8;  // includes 0
            traces.traceWidth = 2 + step % 2300;
            std::string message;
            if (step % 7 == 0) { EXPECT_TRUE(OpenLesson(kLesson, message)) << message; }
        }
        SetScriptedClock(now += 20);
    }
    StopAudioThread(), StopSceneThread(), SetScriptedClock(-1);

    for (int32_t i = 1; i <= kMaxTraceWidth; ++i) ASSERT_TRUE(std::isfinite(traces.responseTrace[i].load())) << i;
    EXPECT_TRUE(std::isfinite(simulation.peakRate.load()) && std::isfinite(simulation.expectedRate));
    EXPECT_GE(AudioLoopStatistics().ticks, 60);
    EXPECT_EQ(repaintCount.load(), SceneLoopStats().ticks);
}
