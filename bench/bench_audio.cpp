// The stream's own costs: the writing half of an audio tick, and the clear at
// every start of the stream, against a plain pass over the whole buffer.
#include <benchmark/benchmark.h>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "sim/audio_stream.h"
#include "sim/neuron_tick.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace {

void PrepareCell(bool hash)
{
    ResetStimulus();
    ResetModelOptions();
    ResetReceptiveField(800, 600);
    receptiveField.cellType = OnCentreX;
    modelOptions.backgroundHash = hash;
    BuildFilters();
    ResetSimulation();
    traces.traceWidth = 776;
    randomWord.word.store(12345, std::memory_order_relaxed);
}

// Hash and spikes of one tick at the spontaneous rate.
void BM_FinishAudioTick(benchmark::State& state)
{
    PrepareCell(state.range(0) != 0);
    NeuronTickCompute();
    int64_t p = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FinishAudioTick(p));
        p = (p + kAudioSlice) % kAudioRestartAt;
    }
    ClearAudioSamples();
}
BENCHMARK(BM_FinishAudioTick)->Arg(0)->Arg(1);

// The clear after the stream has played for range(0) seconds with the hash on.
void WriteSeconds(int64_t seconds)
{
    for (int64_t p = 0; p < seconds * kAudioRate; p += kAudioSlice) LayBackgroundHash(p);
}

void BM_ClearAudioSamples(benchmark::State& state)
{
    PrepareCell(true);
    for (auto _ : state) {
        state.PauseTiming();
        WriteSeconds(state.range(0));
        state.ResumeTiming();
        ClearAudioSamples();
    }
}
BENCHMARK(BM_ClearAudioSamples)->Arg(1)->Arg(60)->Arg(1000)->Unit(benchmark::kMillisecond);

// Reference: every sample of the stream, whatever was written.
void BM_ClearAudioSamplesReference(benchmark::State& state)
{
    PrepareCell(true);
    for (auto _ : state) {
        state.PauseTiming();
        WriteSeconds(state.range(0));
        state.ResumeTiming();
        for (auto& sample : audioSamples) sample.store(0, std::memory_order_relaxed);
    }
    ClearAudioSamples();
}
BENCHMARK(BM_ClearAudioSamplesReference)->Arg(1)->Arg(60)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
