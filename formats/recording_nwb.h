#pragma once
// What an NWB file of a recording holds, apart from how it is written: the
// session's texts, the one unit's spike times and the trials' columns with
// their names and descriptions. The desktop writes it through HDF5's C
// library, the page through its WebAssembly build, so both files carry the
// same tables.
#include <string>
#include <vector>

#include "recording/recording.h"

// One column of the trials' table: numbers, or texts when isText.
struct NwbColumn {
    const char* name;
    const char* description;
    bool isText = false;
    std::vector<double> numbers;
    std::vector<std::string> texts;
};

struct NwbContent {
    std::string sessionDescription;  // the session's, then the model as an export may show it
    std::string unitsDescription;    // the model neuron
    std::vector<double> spikeTimes;  // seconds from the start of the recording
    std::vector<NwbColumn> trials;   // start_time and stop_time first
};

extern const char* const kNwbVersion;
extern const char* const kSpikeTimesDescription;
extern const char* const kTrialsDescription;

// While the field is hidden nothing names the cell or the field's place.
NwbContent BuildNwbContent(const Recording& r, bool fieldHidden,
                           const std::string& description = "Tessaline recording");

// A random version-4 UUID as text.
std::string NewUuid();
// The current time as ISO 8601 with its UTC offset.
std::string NowIso8601();
