#pragma once
#include <atomic>
#include <cstdint>

#include "model/filters.h"
#include "model/relaxed.h"
#include "render/traces.h"
#include "sim/audio_lead.h"

constexpr int32_t kHistoryFrames = 20;
constexpr int32_t kRateWindowSlots = 25;
constexpr int32_t kTickRingSlots = 512;  // 10.24 s of neuron ticks

// State of the running simulation. Slots are 1-based as the rings are
// counted.
// The spike generator's state between slices.
struct SpikeTrain {
    int32_t gammaEventCount = 0;   // events counted towards the next spike
    float eventTimeLeft = -1.0f;   // event time to the next event; < 0: none drawn yet
    float deadSamplesLeft = 0.0f;  // dead time after the last spike still to run
};

struct SimulationState {
    // Neuron tick only.
    float stimulusHistory[kHistoryFrames][kFilterPixels];
    int32_t historySlot = 1;
    float rateWindow[kRateWindowSlots + 1] = {};
    int32_t rateWindowSlot = 1;
    // The spike generator's state, carried across ticks, across a change of
    // gamma order and across restarts of the stream. Written and read by the
    // audio thread alone (reset only before it starts, or by tests), so plain
    // fields suffice.
    SpikeTrain train;
    int64_t sliceEnd = -1;           // stream sample after the last tick's slice; < 0: none yet
    AudioLead lead;                  // how far ahead the next slice ends, and what was lost
    float expectedRate = 0.0f;  // the rate of the current tick
    // Written by the neuron tick, read by the scene thread and the overlay.
    Relaxed<float> peakRate{0.0f};
    // Written by the neuron tick, read by the tuning recorder on the
    // user-interface thread: tick n (counted from 1) leaves its spike count and
    // the peak rate after it in slot n % kTickRingSlots, then publishes n in
    // neuronTicks with release. A reader loads neuronTicks with acquire, reads
    // the slots, and trusts only ticks the writer cannot have reached since.
    // Never reset, so a reader's position stays valid for the whole run.
    // The noise frame the tick's image showed (-1 for none) is what a map of
    // the field pairs with the tick's spikes.
    Relaxed<int32_t> tickSpikes[kTickRingSlots];
    Relaxed<int64_t> tickNoiseFrame[kTickRingSlots];
    Relaxed<float> tickPeakRate[kTickRingSlots];
    std::atomic<int64_t> neuronTicks{0};
};
extern SimulationState simulation;

// Reads ticks first..newest of the tick ring, each slot through copy(slot),
// then the count again; returns the newest tick the writer may have
// overwritten meanwhile: a copied tick up to it is not to be trusted.
template <typename Copy>
int64_t CopyTickRing(int64_t first, int64_t newest, Copy copy)
{
    for (int64_t t = first; t <= newest; ++t) copy(static_cast<size_t>(t % kTickRingSlots));
    std::atomic_thread_fence(std::memory_order_acquire);
    return simulation.neuronTicks.load(std::memory_order_relaxed) + 1 - kTickRingSlots;
}

// Zeroes the history, the rate window and the traces, slots back to 1
// (start-up, and before each test).
void ResetSimulation();
