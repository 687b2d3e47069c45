#include "sim/neuron_tick.h"

#include <limits>

#include "model/filters.h"
#include "sim/response.h"
#include "sim/response_tick.h"
#include "sim/simulation_state.h"
#include "sim/spike_log.h"
#include "stimulus/stimulus_state.h"

void NeuronTickCompute()
{
    // One filter set for the whole tick: a rebuild meanwhile publishes a new
    // set and leaves this one alone, and the tick never waits for it.
    const RfFilterSet& filters = AcquireFilters(NeuronReader);
    UseTickFilters(&filters);
    CopyStimulusToHistory();
    const float drive = ComputeDrive();
    const float rate = DriveToRate(drive);
    RecordRate(rate, DriveToTraceValue(drive));
    simulation.expectedRate = rate;
    UseTickFilters(nullptr);
    ReleaseFilters(NeuronReader);
}

int32_t NeuronTickFinish(int64_t playPosition, ClickWriter writeClick)
{
    // The slice is computed in 64 bits and kept inside the sample indices an
    // int32 can hold, whatever position a device reports.
    constexpr int64_t kHighestFirst = std::numeric_limits<int32_t>::max() - kAudioSlice;
    int64_t first = playPosition > kHighestFirst ? kHighestFirst : playPosition + kAudioLead;
    if (first < 0) first = 0;
    if (first > kHighestFirst) first = kHighestFirst;
    const int64_t limit = first + kAudioSlice;
    // A device plays in blocks, so its position moves by 512 samples one tick
    // and 1024 the next: fixed slices would overlap (clicks twice as dense,
    // or cut into each other) and leave gaps. Going on from the last end
    // keeps the heard rate the rate the tick computed.
    const int64_t lastEnd = simulation.sliceEnd;
    if (lastEnd >= first - (kAudioLead - kAudioMinimumLead) && lastEnd <= limit) first = lastEnd;
    simulation.sliceEnd = limit;
    LogSlice(first, limit, StimulusPresent());
    const int32_t spikes = GenerateSpikes(simulation.expectedRate, static_cast<int32_t>(first),
                                          static_cast<int32_t>(limit), writeClick);
    RecordTick(spikes);
    return spikes;
}
