// Fuzz target for the number helpers: any text typed goes through ParseReal, and every number shown through
// the formatters, which must fill their field exactly, whatever the bits.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/typed_number.h"
#include "model/number_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ParsedReal parsed = ParseReal(text.c_str());
    if (parsed.isNumber ? !std::isfinite(parsed.value) : parsed.value != 0.0) std::abort();
    const ParsedReal typed = ParseTypedReal(text.c_str(), ',');
    if (typed.isNumber ? !std::isfinite(typed.value) : typed.value != 0.0) std::abort();
    float v = 0.0f;
    int32_t n = 0;
    if (size >= sizeof v) std::memcpy(&v, data, sizeof v);
    if (size >= sizeof v + sizeof n) std::memcpy(&n, data + sizeof v, sizeof n);
    for (int32_t w = 1; w <= 8; ++w) {
        char field[10] = {};
        for (float x : {v, static_cast<float>(parsed.value)}) {
            FormatReal(x, field, w);
            if (std::strlen(field) != static_cast<size_t>(w) || field[w + 1] != 0) std::abort();
        }
        FormatInteger(n, field, w);
        if (std::strlen(field) != static_cast<size_t>(w) || field[w + 1] != 0) std::abort();
    }
    return 0;
}
