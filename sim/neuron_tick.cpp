#include "sim/neuron_tick.h"

#include "model/filters.h"
#include "sim/response.h"
#include "sim/response_history.h"
#include "sim/simulation_state.h"
#include "sim/spike_log.h"
#include "stimulus/stimulus_state.h"

void NeuronTickCompute()
{
    // One filter set for the whole tick: a rebuild meanwhile publishes a new
    // set and leaves this one alone, and the tick never waits for it.
    const RfFilterSet& filters = AcquireFilters(NeuronReader);
    CopyStimulusToHistory(filters);
    const float drive = ComputeDrive(filters);
    const float rate = DriveToRate(filters, drive);
    RecordRate(rate, DriveToTraceValue(filters, drive));
    simulation.expectedRate = rate;
    ReleaseFilters(NeuronReader);
}

StreamSlice PlanNextSlice(int64_t playPosition)
{
    const StreamSlice slice = PlanSlice(simulation.lead, simulation.sliceEnd, playPosition);
    simulation.sliceEnd = slice.limit;
    return slice;
}

int32_t NeuronTickFinish(const StreamSlice& slice, ClickWriter writeClick)
{
    // The generator walks the whole slice, so its state goes on in stream
    // time; only the clicks it would write where the device has been are kept back.
    LogSlice(slice.first, slice.limit, StimulusPresent());
    LogNoiseFrameShown(LastCopiedImage().noiseFrame);
    const int32_t lost = GenerateSpikes(simulation.expectedRate, slice.first, slice.heardFrom, nullptr);
    simulation.lead.lostClicks += lost;
    const int32_t spikes = lost + GenerateSpikes(simulation.expectedRate, slice.heardFrom, slice.limit, writeClick);
    RecordTick(spikes);
    return spikes;
}
