#pragma once
// The raster and the peri-stimulus time histogram of a recording: trials in
// rows aligned on their onsets (grouped by condition when a sweep made them)
// and the mean rate over them in bins the student sets.
#include <cstdint>
#include <vector>

#include "recording/recording.h"

constexpr double kLeastBinSeconds = 0.005, kMostBinSeconds = 0.1, kDefaultBinSeconds = 0.01;
constexpr double kRasterBeforeSeconds = 0.5;  // spontaneous firing before each onset
constexpr double kRasterAfterSeconds = 0.5;   // and after the longest trial's end
constexpr double kLongestRasterSeconds = 10.0;

struct RasterRow {
    int32_t trial = 0;          // index into the recording's trials
    double duration = 0.0;      // of the stimulus
    std::vector<double> spikes; // seconds from the onset, within the window
};

struct RasterGroup {
    int32_t field = -1;         // -1: presses
    float condition = 0.0f;
    int32_t firstRow = 0, rows = 0;
};

struct Raster {
    double from = -kRasterBeforeSeconds, to = kRasterAfterSeconds;  // seconds about the onset
    std::vector<RasterRow> rows;      // grouped, groups in order of the condition
    std::vector<RasterGroup> groups;
};
Raster BuildRaster(const Recording& r);

struct Psth {
    double from = 0.0, binSeconds = kDefaultBinSeconds;
    std::vector<float> rate;  // spikes/s averaged over the trials of the rows given
};
// Over rows [firstRow, firstRow + rows) of the raster; a bin width outside
// 5 to 100 ms is held to that range.
Psth BuildPsth(const Raster& raster, double binSeconds, int32_t firstRow, int32_t rows);
