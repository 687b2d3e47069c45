#pragma once
// A live map fed from the neuron tick's ring, as the tuning recorder reads
// it: the user-interface thread (the desktop's Map window, the page's map
// panel) takes every tick since its last read, about once a second. The
// tick publishes nothing new for it: the ring's spikes and noise frames are
// all it reads.
#include <cstdint>

#include "mapping/spike_triggered_average.h"

struct LiveMap {
    SpikeTriggeredAverage map;
    int64_t lastRead = 0;  // the last neuron tick taken
};

// Starts afresh from the newest tick, for the noise the record now describes.
void ResetLiveMap(LiveMap& live);
// Takes the ticks since the last read. While noise is shown they feed the
// map, which starts afresh when the noise's settings have changed; ticks the
// writer lapped feed nothing and break the lags across them. False while no
// noise is the stimulus (the ticks are passed over).
bool DrainLiveMap(LiveMap& live);
