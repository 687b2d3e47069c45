#pragma once
#include <cstdint>

#include "sim/audio_lead.h"
#include "sim/spikes.h"

// The neuron tick before its slice: copy the image, compute the drive and
// the rate, record them.
void NeuronTickCompute();
// The slice of the tick that read play position P, planned with the
// simulation's adaptive lead (which it updates), and the end it leaves for
// the next tick.
StreamSlice PlanNextSlice(int64_t playPosition);
// Spikes of the slice, trace marker, trace index, peak rate. Spikes in the
// part the device already took are counted as lost and not written. Returns
// the spike count, lost ones included.
int32_t NeuronTickFinish(const StreamSlice& slice, ClickWriter writeClick);
