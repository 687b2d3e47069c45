#include "render/number_format.h"

void FormatInteger(int32_t, char* field, int32_t w) { for (int32_t i = 0; i < w; ++i) field[i] = ' '; }
void FormatReal(float, char* field, int32_t w) { for (int32_t i = 0; i < w; ++i) field[i] = ' '; }
std::string FormatIntegerText(int32_t n, int32_t w) { std::string s(w, ' '); FormatInteger(n, s.data(), w); return s; }
std::string FormatRealText(float v, int32_t w) { std::string s(w, ' '); FormatReal(v, s.data(), w); return s; }
ParsedReal ParseReal(const char*) { return {}; }
int32_t NearestInt(double) { return 0; }
int32_t TruncInt(double) { return 0; }
