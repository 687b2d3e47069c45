#pragma once
// The measured points as comma-separated text, one row per point and repeat.
// Numbers are written in the shortest form that reads back to the
// same float, with a point as the decimal mark whatever the locale.
#include <cstdint>
#include <string>
#include <vector>

#include "tuning/tuning_sweep.h"

// parameter,value,repeat,mean rate (spikes/s),peak rate (spikes/s),F0 (spikes/s),F1 (spikes/s),
// and a contrast curve's Naka-Rushton Rmax, C50 (%), n and R0
extern const char* const kTuningCsvHeader;

std::string TuningCsvText(int32_t field, const std::vector<TuningPoint>& points);
