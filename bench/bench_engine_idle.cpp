// CPU used by the running engine when nobody touches it: the scene thread
// and the audio loop sleep between their ticks instead of spinning.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "model/filters.h"
#include "model/random.h"
#include "sim/audio_stream.h"
#include "sim/scene_loop.h"
#include "tests/core/clock_output.h"
#include "tests/core/engine_records.h"

namespace {

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
         + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

void BM_IdleEngineCpu(benchmark::State& state)
{
    randomWord.word.store(7);
    ResetEngineRecords(1000, 700);
    BuildFilters();

    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        StartSceneThread(nullptr);
        // The real audio loop, on the device that plays nothing.
        StartAudioThread(ClockWaveOutput());
        std::this_thread::sleep_for(std::chrono::seconds(5));
        StopAudioThread();
        StopSceneThread();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        state.counters["cpu_percent_of_one_core"] = 100.0 * (ProcessCpuSeconds() - cpuStart) / wall;
        state.SetIterationTime(wall);
    }
}

}  // namespace

BENCHMARK(BM_IdleEngineCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
