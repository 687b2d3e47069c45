#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "model/numeric.h"

// Fixed-width number fields: exactly w characters are written, no NUL.
void FormatInteger(int32_t n, char* field, int32_t w);
void FormatReal(float v, char* field, int32_t w);
// The same, returned as a string of exactly w characters.
std::string FormatIntegerText(int32_t n, int32_t w);
std::string FormatRealText(float v, int32_t w);

// The longest leading decimal number of text (white space skipped; optional
// sign, digits, point, exponent). isNumber is false when the text holds no
// such number or when it would not be finite: "nan", "inf", hexadecimal and
// overflowing texts are not numbers, and value is then 0.
struct ParsedReal {
    double value = 0.0;
    bool isNumber = false;
};
ParsedReal ParseReal(const char* text);

// Numbers in files and summaries, always with a point as the decimal mark,
// whatever locale the desktop put in force: the shortest text that reads
// back to the same float, and a fixed number of decimals.
std::string ShortestRealText(float v);
std::string ShortestDoubleText(double v);  // times in seconds of an hour-long recording
std::string FixedRealText(float v, int32_t decimals);
// The whole text as one finite number in the form those write; false for
// anything else (blanks, trailing characters, "nan", "inf", hexadecimal).
bool ReadWholeReal(std::string_view text, float* value);
