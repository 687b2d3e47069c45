#pragma once
#include <cstdint>

#include "sim/spikes.h"

constexpr int32_t kAudioLead = 5000;   // samples between the play position and a tick's slice
constexpr int32_t kAudioSlice = 882;   // 20 ms at 44.1 kHz
// The least distance ahead of the play position at which a slice may go on
// from where the last one ended: 60 ms, well past anything the device holds.
constexpr int32_t kAudioMinimumLead = 2646;

// The neuron tick before its wait: copy the image, compute the drive and the
// rate, record them.
void NeuronTickCompute();
// After the wait: spikes of the tick's slice, trace marker, trace index, peak
// rate. Returns the spike count. The slice ends kAudioSlice samples after
// P + kAudioLead and starts where the last one ended, so that the stream is
// covered once and only once whatever steps the device's position takes;
// after a start, a restart or a long stall it starts afresh at P + kAudioLead.

int32_t NeuronTickFinish(int64_t playPosition, ClickWriter writeClick);
