#pragma once
// A recording as an NWB 2.6 file (HDF5): the session, one unit with its
// spike times in seconds, and the trials with the stimulus at each onset.
// Written through the HDF5 library's C interface into a file beside the
// target, which takes its place only when it is complete, so a failure
// leaves no partial file behind.
#include <string>

#include "recording/recording.h"

struct NwbSession {
    std::string description = "Tessaline recording";
    std::string identifier;   // empty: a new random one
    std::string startTime;    // ISO 8601; empty: now
    bool fieldHidden = false; // the model's field is not named while a hand plot hides it
};

// Returns an empty string on success, else a message naming the path.
std::string WriteNwbFile(const std::string& path, const Recording& r, const NwbSession& session);

