// The spike generator runs on the audio thread once per 20 ms slice. Its cost
// at 200 spikes/s for gamma orders 1, 6 and 10, beside the plain way of
// drawing a Poisson train: one trial per stream sample.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/model_options.h"
#include "model/random.h"
#include "sim/neuron_tick.h"
#include "sim/simulation_state.h"
#include "sim/spikes.h"

namespace {

constexpr float kRate = 200.0f;
int32_t clickSink = 0;
void CountClick(int64_t index) { clickSink += index & 1; }

void BM_GenerateSpikes(benchmark::State& state)
{
    ResetSimulation();
    randomWord.word.store(12345, std::memory_order_relaxed);
    modelOptions.currentGammaOrder = static_cast<int32_t>(state.range(0));
    int64_t spikes = 0;
    for (auto _ : state) spikes += GenerateSpikes(kRate, 5000, 5000 + kAudioSlice, CountClick);
    state.counters["spikes/slice"] = static_cast<double>(spikes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GenerateSpikes)->Arg(1)->Arg(6)->Arg(10);

// Reference: a Bernoulli trial at every sample of the slice.
void BM_PerSampleTrials(benchmark::State& state)
{
    randomWord.word.store(12345, std::memory_order_relaxed);
    const float p = kRate / 44100.0f;
    int64_t spikes = 0;
    for (auto _ : state) {
        for (int32_t k = 0; k < kAudioSlice; ++k) {
            if (Lcg() < p) {
                CountClick(5000 + k);
                ++spikes;
            }
        }
    }
    state.counters["spikes/slice"] = static_cast<double>(spikes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PerSampleTrials);

}  // namespace
