#pragma once
#include <cstdint>

using ClickWriter = void (*)(int32_t sampleIndex);

void RecordRate(float expectedRate, float traceValue);
// Walks the stream slice [first, limit) on the 88.1-sample grid and calls
// writeClick for every spike; returns the tick's spike count.
int32_t GenerateSpikes(float expectedRate, int32_t first, int32_t limit, ClickWriter writeClick);
void RecordTick(int32_t spikeCount);
