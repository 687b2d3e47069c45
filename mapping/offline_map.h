#pragma once
// A receptive field mapped with noise as fast as the machine goes: the cell
// placed as a new one would be, the noise centred on its field, and the
// scene and neuron ticks run in turn on a clock of their own (as the seeded
// sweep runs them), with nothing drawn to a screen and no sound. The map
// takes every tick; the recording keeps the spikes and the frames' onsets,
// so a file of the run gives back the same map.
#include <cstdint>
#include <memory>
#include <string>

#include "mapping/spike_triggered_average.h"

// The simulated time a run may take, in minutes.
constexpr double kMapMinutesLow = 0.1, kMapMinutesHigh = 600.0;

struct OfflineMapRequest {
    NoiseSettings noise;      // its seed is the run's seed
    int32_t cellType = 3;     // CellType
    double minutes = 10.0;    // of simulated time
    double fastForwardMinutes = 0.0;  // a fast-forward halfway, into the map and the recording as the button's
};

struct OfflineMapResult {
    int64_t spikes = 0, ticks = 0;
    int32_t bestLag = 0;          // ticks
    double correlation = 0.0;     // of the average with the true field at the best lag
    double overlap = 0.0;         // of the ON and OFF maps at the best lag
    std::string line;             // the one-line summary
};

// The ticks a run of that many minutes takes (0 outside the range above).
int64_t OfflineMapTicks(double minutes);
// Runs the map into m (reset first) and leaves the recording holding it.
OfflineMapResult RunOfflineMap(const OfflineMapRequest& request, SpikeTriggeredAverage& m);
// The summary of a map of the cell now in force: best lag, correlation with
// the field on the grid the stimulus record places, overlap.
OfflineMapResult SummariseMap(const SpikeTriggeredAverage& m);
