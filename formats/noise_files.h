#pragma once
// The noise frames of a recording in its files: in the NWB file an image
// series in stimulus/presentation (int8 frames x rows x columns, -1 black,
// 0 grey, +1 white, row 0 the top row, one timestamp per frame onset), and
// beside the CSV tables a table of frames (onset, then one column per square).
// The frames are made again from the settings and each frame's index.
#include <string>

#include "formats/file_tree.h"
#include "recording/recording.h"

constexpr const char* kNoiseSeriesName = "noise";

// "8 x 8 squares of 0.5 deg, centred at 12.3, 8.1 deg".
std::string NoiseDescription(const NoiseRecord& n);
// The ImageSeries group (typed, with its own object id).
TreeGroup NoiseImageSeries(const NoiseRecord& n);
// onset_s,r0c0,r0c1,... one row a frame.
std::string NoiseFramesCsvText(const NoiseRecord& n);
// Where the frames' table goes beside the spikes' "x.csv": "x-frames.csv".
std::string FramesCsvPath(const std::string& spikesPath);
