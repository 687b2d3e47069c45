#pragma once
#include <cstdint>
#include <string>

// Fixed-width number fields: exactly w characters are written, no NUL.
void FormatInteger(int32_t n, char* field, int32_t w);
void FormatReal(float v, char* field, int32_t w);
// The same, returned as a string of exactly w characters.
std::string FormatIntegerText(int32_t n, int32_t w);
std::string FormatRealText(float v, int32_t w);
