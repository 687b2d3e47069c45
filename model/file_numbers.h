#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Numbers in files and summaries, always with a point as the decimal mark,
// whatever locale the desktop put in force: the shortest text that reads
// back to the same float, and a fixed number of decimals.
std::string ShortestRealText(float v);
std::string ShortestDoubleText(double v);  // times in seconds of an hour-long recording
std::string FixedRealText(float v, int32_t decimals);
// The whole text as one finite number in the form those write; false for
// anything else (blanks, trailing characters, "nan", "inf", hexadecimal).
bool ReadWholeReal(std::string_view text, float* value);
