#pragma once
#include <cstdint>

#include "sim/spikes.h"

constexpr int32_t kAudioLead = 5000;   // samples between the play position and a tick's slice
constexpr int32_t kAudioSlice = 882;   // 20 ms at 44.1 kHz

// The neuron tick before its wait: copy the image, compute the drive and the
// rate, record them.
void NeuronTickCompute();
// After the wait: spikes of the slice that starts kAudioLead samples after the
// play position, trace marker, trace index, peak rate. Returns the spike count.
int32_t NeuronTickFinish(int64_t playPosition, ClickWriter writeClick);
