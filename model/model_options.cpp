#include "model/model_options.h"

ModelOptions modelOptions;

void ResetModelOptions() {}
void applyCellTypeRates() {}
