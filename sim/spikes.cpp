#include "sim/spikes.h"

void RecordRate(float, float) {}
int32_t GenerateSpikes(float, int32_t, int32_t, ClickWriter) { return 0; }
void RecordTick(int32_t) {}
