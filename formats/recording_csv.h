#pragma once
// A recording as two comma-separated tables, with a header line and a point
// as the decimal mark whatever the locale: the spikes, one row each, and the
// trials with the stimulus at each onset.
#include <string>
#include <vector>

#include "recording/recording.h"

// time_s,trial
extern const char* const kSpikesCsvHeader;

// The stimulus's number columns of the trials' tables, CSV and NWB alike, in
// their order: trial,start_s,stop_s,stimulus, then these, then swept,condition.
struct StimulusColumn {
    const char* name;
    float StimulusSnapshot::*field;
    const char* description;
};
extern const StimulusColumn kStimulusColumns[8];

// Trial 0 is a spike between trials. Times in seconds, in the shortest
// decimals that read back to the same double.
std::string SpikesCsvText(const Recording& r);
// A trial still open ends at the recording's end.
std::string TrialsCsvText(const Recording& r);
// Where the trials' file goes beside the spikes' "x.csv": "x-trials.csv".
std::string TrialsCsvPath(const std::string& spikesPath);

// A file's name, or its path, and its whole text.
struct NamedText {
    std::string name;
    std::string text;
};
// The files a recording becomes as CSV, named beside the chosen target
// "x.csv" (a bare name or a path): the spikes in it, then the trials in
// "x-trials.csv", and when noise was shown its frames in "x-frames.csv". The editions save them as they are handed.
std::vector<NamedText> RecordingCsvFiles(const Recording& r, const std::string& target);
