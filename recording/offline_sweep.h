#pragma once
// A tuning sweep run as fast as the machine goes, with no window, no sound
// device and no other thread: the scene tick and the neuron tick are called
// in turn on a clock of their own, the way the page calls them, so a run is
// the same for the same seed. The recording holds its spikes and trials.
#include <cstdint>
#include <string>

#include "tuning/tuning_analysis.h"

enum OfflineSweepKind : int32_t {
    OfflineOrientation = 0,
    OfflineDirection = 1,
    OfflineSpatialFrequency = 2,
    OfflineSize = 3,
    OfflineContrast = 4,
    OfflineTemporalFrequency = 5,
};
constexpr int32_t kOfflineKindCount = 6;

struct OfflineSweepRequest {
    int32_t kind = OfflineOrientation;
    int32_t cellType = 3;  // CellType
    uint32_t seed = 1;
    int32_t repeats = 2;  // as the tuning window starts
};

struct OfflineSweepResult {
    int32_t field = 0;
    TuningSummary summary;
    int64_t ticks = 0;
    std::string line;  // the one-line summary: preferred value, OSI or DSI, F1/F0, the contrast fit
};

OfflineSweepResult RunOfflineSweep(const OfflineSweepRequest& request);
// Its pieces, for a sweep run by someone else on the same clock: records
// reset, the cell and the stimulus chosen, the model settled, the recording
// started; then one scene and neuron tick, the recording drained and the
// sweep polled.
void PrepareOfflineSweep(const OfflineSweepRequest& request);
void OfflineTick();
