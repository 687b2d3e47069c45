#pragma once
// What the headless runs (--sweep, --map) share on the command line: their
// options as "--name value" or "--name=value", numbers checked whole, and
// the end of a run: the recording written and the summary printed.
#include <string>

// Whether the command line holds the given option at all.
bool AskedFor(int argc, char** argv, const char* option);

// The option at argv[i] and its value (i moves past both). False when the
// option has no value.
bool NextOption(int argc, char** argv, int& i, std::string& option, std::string& value);

// A decimal number from low to high (whole when asked), nothing else in the text.
bool NumberIn(const std::string& text, double low, double high, bool whole, double* value);

// The cells' names as the command line spells them, between bars.
std::string CellNamesOnCommandLine();

// Writes the recording to out and prints the line: the exit status, 0 done
// or 1 the file could not be written.
int WriteRecordingAndSay(const std::string& out, const std::string& line);
