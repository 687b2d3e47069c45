// Fuzz target for the number helpers: any text a student types goes through
// ParseReal, and every number shown goes through the formatters.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "render/number_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    ParsedReal parsed = ParseReal(text.c_str());
    if (parsed.isNumber && !std::isfinite(parsed.value)) std::abort();
    if (!parsed.isNumber && parsed.value != 0.0) std::abort();

    // Use the bytes as numbers too, so the formatters see every bit pattern.
    float v = 0.0f;
    int32_t n = 0;
    if (size >= sizeof v) std::memcpy(&v, data, sizeof v);
    if (size >= sizeof v + sizeof n) std::memcpy(&n, data + sizeof v, sizeof n);
    const float values[] = {v, static_cast<float>(parsed.value)};
    for (int32_t w = 1; w <= 8; ++w) {
        char field[10];
        std::memset(field, 0, sizeof field);
        for (float x : values) {
            FormatReal(x, field, w);
            for (int32_t i = 0; i < w; ++i)
                if (field[i] == 0) std::abort();
            if (field[w] != 0) std::abort();
        }
        FormatInteger(n, field, w);
        for (int32_t i = 0; i < w; ++i)
            if (field[i] == 0) std::abort();
        if (field[w] != 0) std::abort();
    }
    return 0;
}
