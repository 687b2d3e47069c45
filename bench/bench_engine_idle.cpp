// CPU used by the running engine when nobody touches it: the scene thread
// and a neuron loop sleep between their ticks instead of spinning.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "sim/neuron_tick.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

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
    appState.clientWidth = 1000;
    appState.clientHeight = 700;
    ResetStimulus();
    ResetReceptiveField(1000, 700);
    ResetModelOptions();
    ResetFilters();
    ResetFrameBuffers();
    ClearMarks();
    ResetStimulusImages();
    ResetSimulation();
    simulation.traceWidth = 976;
    RequestFrameSize(1000, 700);
    buildFilters();

    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        StartSceneThread(nullptr);
        std::atomic<bool> stop{false};
        std::thread neuron([&stop] {
            using Clock = std::chrono::steady_clock;
            const Clock::time_point origin = Clock::now();
            Clock::time_point next = origin;
            while (!stop.load(std::memory_order_relaxed)) {
                NeuronTickCompute();
                next += std::chrono::milliseconds(20);
                std::this_thread::sleep_until(next);
                const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - origin);
                NeuronTickFinish(elapsed.count() * 441 / 10000, nullptr);
            }
        });
        std::this_thread::sleep_for(std::chrono::seconds(5));
        stop = true;
        neuron.join();
        StopSceneThread();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        state.counters["cpu_percent_of_one_core"] = 100.0 * (ProcessCpuSeconds() - cpuStart) / wall;
        state.SetIterationTime(wall);
    }
}

}  // namespace

BENCHMARK(BM_IdleEngineCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
