#pragma once
// A recording as an NWB 2.6 file, described whole as a tree (file_tree.h):
// the session, one unit with its spike times in seconds, and the trials with
// the stimulus at each onset, with every group, type name and object id the
// format asks for. The desktop writes the tree through HDF5's C library, the
// page through its WebAssembly build, so both files hold the same.
#include <string>

#include "formats/file_tree.h"
#include "recording/recording.h"

struct NwbSession {
    std::string description = "Tessaline recording";
    std::string identifier;    // empty: a new random one
    std::string startTime;     // ISO 8601; empty: now
    bool fieldHidden = false;  // while a hand plot hides the field nothing names the cell or its place
};

// Object ids are new random ones; the file's creation date is now.
TreeGroup BuildNwbTree(const Recording& r, const NwbSession& session);

// A random version-4 UUID as text.
std::string NewUuid();
// The current time as ISO 8601 with its UTC offset.
std::string NowIso8601();
