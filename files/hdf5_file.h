#pragma once
// A file tree (formats/file_tree.h) written as an HDF5 file through the
// library's C interface, as it stands: this writer knows no name or layout
// of its own. The file is written beside the target and takes its place only
// when complete, so a failure leaves no partial file behind.
#include <string>

#include "formats/file_tree.h"

// Returns an empty string on success, else a message naming the path.
std::string WriteHdf5File(const std::string& path, const TreeGroup& root);
