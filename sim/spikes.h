#pragma once
#include <cstdint>

#include "sim/simulation_state.h"

using ClickWriter = void (*)(int64_t streamPosition);

void RecordRate(float expectedRate, float traceValue);
// Spikes of the stream slice [first, limit) at the tick's expected rate: a
// gamma renewal process of the current order in time rescaled by the rate,
// with a dead time of one click. Calls writeClick for every spike; returns the
// tick's spike count.
int32_t GenerateSpikes(float expectedRate, int64_t first, int64_t limit, ClickWriter writeClick);
// The same process on a train of its own over span samples, drawing from
// uniform (u in [0, 1)), calling fire(offset) for each spike: the neuron
// tick's generator on the shared state, and a fast run's on its own.
using UniformDraw = float (*)(void* source);
using SpikeFired = void (*)(void* context, int32_t offset);
int32_t RunSpikeTrain(SpikeTrain& train, float expectedRate, int64_t span, UniformDraw uniform, void* source,
                      SpikeFired fire, void* context);
void RecordTick(int32_t spikeCount);
