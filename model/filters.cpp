#include "model/filters.h"

namespace {
RfFilterSet sets[2];
}

float LinearValue(const RfFilterSet&, int32_t, int32_t, int32_t) { return 0.0f; }
float EnergyAValue(const RfFilterSet&, int32_t, int32_t, int32_t) { return 0.0f; }
float EnergyBValue(const RfFilterSet&, int32_t, int32_t, int32_t) { return 0.0f; }
void buildFilters() {}
const RfFilterSet& AcquireFilters(FilterReader) { return sets[0]; }
void ReleaseFilters(FilterReader) {}
const RfFilterSet& CurrentFilters() { return sets[0]; }
void ResetFilters() {}
