// The stream's own costs: the writing half of an audio tick, and the clear
// of the ring at the start of a session.
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
        p += kAudioSlice;
    }
    ClearAudioSamples();
}
BENCHMARK(BM_FinishAudioTick)->Arg(0)->Arg(1);

// The clear at the start of a session: the whole ring.
void BM_ClearAudioSamples(benchmark::State& state)
{
    for (auto _ : state) ClearAudioSamples();
}
BENCHMARK(BM_ClearAudioSamples)->Unit(benchmark::kMicrosecond);

}  // namespace
