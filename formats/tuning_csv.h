#pragma once
// The measured points as comma-separated text, one row per point and repeat,
// and back. Numbers are written in the shortest form that reads back to the
// same float, with a point as the decimal mark whatever the locale.
#include <cstdint>
#include <string>
#include <vector>

#include "tuning/tuning_sweep.h"

// parameter,value,repeat,mean rate (spikes/s),peak rate (spikes/s),F0 (spikes/s),F1 (spikes/s)
extern const char* const kTuningCsvHeader;

std::string TuningCsvText(int32_t field, const std::vector<TuningPoint>& points);

struct ParsedTuningCsv {
    bool ok = false;
    int32_t field = -1;
    std::vector<TuningPoint> points;
};
// Reads text written by TuningCsvText (either line ending). Anything else,
// a wrong header, a short row, a number that does not parse or mixes of
// parameters, gives ok = false.
ParsedTuningCsv ParseTuningCsv(const std::string& text);
