#include "sim/neuron_tick.h"

void NeuronTickCompute() {}
int32_t NeuronTickFinish(int64_t, ClickWriter) { return 0; }
