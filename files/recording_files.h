#pragma once
// Writes a recording where the student or a script asks: FILE.nwb as NWB,
// FILE.csv as the spikes with the trials beside it in FILE-trials.csv. Each
// file is written beside its target and put in its place only when whole.
#include <string>

#include "recording/recording.h"

// Whether a path names a format the recording can be written as.
bool IsNwbPath(const std::string& path);
bool IsCsvPath(const std::string& path);
// Returns an empty string on success, else a message naming the path.
std::string WriteRecordingFile(const std::string& path, const Recording& r, bool fieldHidden);
