#include "mapping/map_drain.h"

#include <algorithm>
#include <atomic>

#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

void ResetLiveMap(LiveMap& live)
{
    ResetMap(live.map, NoiseSettingsOfStimulus());
    live.lastRead = simulation.neuronTicks.load(std::memory_order_acquire);
}

bool DrainLiveMap(LiveMap& live)
{
    // The slots are copied first, then the count read again: a slot the writer
    // may have reached meanwhile is not trusted (see SimulationState).
    static int32_t spikes[kTickRingSlots];
    static int64_t frames[kTickRingSlots];
    const int64_t newest = simulation.neuronTicks.load(std::memory_order_acquire);
    const int64_t first = std::max(live.lastRead + 1, newest - kTickRingSlots + 1);
    const int64_t lapped = CopyTickRing(first, newest, [](size_t slot) {
        spikes[slot] = simulation.tickSpikes[slot];
        frames[slot] = simulation.tickNoiseFrame[slot];
    });
    // More lost ticks than the lags span change nothing more.
    const int64_t from = std::max(live.lastRead, first - kMapLags - 1);
    live.lastRead = std::max(live.lastRead, newest);
    if (!IsNoise(stimulus.stimulusType)) return false;
    if (!(live.map.settings == NoiseSettingsOfStimulus())) ResetMap(live.map, NoiseSettingsOfStimulus());
    for (int64_t t = from + 1; t <= newest; ++t) {
        const bool kept = t >= first && t > lapped;
        const auto slot = static_cast<size_t>(t % kTickRingSlots);
        FeedMap(live.map, kept ? std::max(spikes[slot], 0) : 0, kept ? frames[slot] : -1);
    }
    return true;
}
