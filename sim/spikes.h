#pragma once
#include <cstdint>

using ClickWriter = void (*)(int64_t streamPosition);

void RecordRate(float expectedRate, float traceValue);
// Spikes of the stream slice [first, limit) at the tick's expected rate: a
// gamma renewal process of the current order in time rescaled by the rate,
// with a dead time of one click. Calls writeClick for every spike; returns the
// tick's spike count.
int32_t GenerateSpikes(float expectedRate, int64_t first, int64_t limit, ClickWriter writeClick);
void RecordTick(int32_t spikeCount);
