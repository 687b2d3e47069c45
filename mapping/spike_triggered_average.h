#pragma once
// The spike-triggered average of a noise stimulus: every tick hands over its
// spike count and the noise frame its image showed, and the map adds the
// frames of the ticks before each spike, lag by lag. Plain single-threaded
// state with fixed arrays: feeding never allocates, so whoever feeds it (the
// seeded run, a fast run, a window draining the neuron tick's ring) pays a
// few thousand additions a tick at the largest grid, and a reader may look at
// it between any two feeds.
#include <cstdint>
#include <vector>

#include "stimulus/noise_frames.h"

constexpr int32_t kMapLags = 21;    // 0 to 400 ms
constexpr int32_t kMapLagMs = 20;   // one tick

struct SpikeTriggeredAverage {
    NoiseSettings settings;  // the noise mapped; frames are made from it
    int64_t spikes = 0;      // every spike fed
    int64_t ticks = 0;       // every tick fed
    // The last kMapLags ticks' frames: index (-1 none) and values, slot
    // `newest` the latest tick's.
    int32_t newest = 0;
    int64_t ringFrame[kMapLags];
    int8_t ringValues[kMapLags][kMaxNoiseSquares];
    // Per lag and square: spikes counted at the lag, the sum of spikes x
    // sign, spikes after white and after black, ticks after white and black.
    int64_t lagSpikes[kMapLags];
    int64_t sum[kMapLags][kMaxNoiseSquares];
    int64_t onSpikes[kMapLags][kMaxNoiseSquares], offSpikes[kMapLags][kMaxNoiseSquares];
    int64_t onTicks[kMapLags][kMaxNoiseSquares], offTicks[kMapLags][kMaxNoiseSquares];
};

// Everything back to nothing, for the noise of settings (Reset).
void ResetMap(SpikeTriggeredAverage& m, const NoiseSettings& settings);
// One tick: its spikes and the noise frame its image showed (-1 for none,
// which stops that tick counting at every lag).
void FeedMap(SpikeTriggeredAverage& m, int32_t spikes, int64_t frame);

// Read-outs over the grid, row by row from the top row (they allocate: for
// readers, never for the tick). Lags run 0..kMapLags - 1.
// The mean sign of the square `lag` ticks before a spike.
std::vector<double> StaMap(const SpikeTriggeredAverage& m, int32_t lag);
// Spikes per tick `lag` ticks after the square was white (ON) or black (OFF).
std::vector<double> OnMap(const SpikeTriggeredAverage& m, int32_t lag);
std::vector<double> OffMap(const SpikeTriggeredAverage& m, int32_t lag);
