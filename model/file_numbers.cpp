// Numbers in files and summaries: always a point as the decimal mark.
#include "model/file_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/typed_number.h"

namespace {

// The C locale in force on this thread for as long as it lives, so that
// printf and strtof use the point whatever the process locale is.
class ClassicNumbers {
public:
    ClassicNumbers() : previous_(ClassicLocale() != static_cast<locale_t>(0) ? uselocale(ClassicLocale())
                                                                            : static_cast<locale_t>(0)) {}
    ~ClassicNumbers()
    {
        if (previous_ != static_cast<locale_t>(0)) uselocale(previous_);
    }
    ClassicNumbers(const ClassicNumbers&) = delete;
    ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
    locale_t previous_;
};

// The decimal exponent of v's leading digit, as printed with p digits.
int32_t DecimalExponent(double v, int32_t digits)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
    const char* e = std::strchr(text, 'e');
    return e != nullptr ? static_cast<int32_t>(std::strtol(e + 1, nullptr, 10)) : 0;
}

// The fewest significant digits (up to most) that read back to v, as a
// float or as a double; plain decimals where they stay short, the exponent
// form beyond.
std::string ShortestText(double v, int32_t most, bool asFloat)
{
    if (!std::isfinite(v)) return std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
    const ClassicNumbers classic;
    char text[64];
    int32_t digits = 1;
    for (; digits < most; ++digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
        if (asFloat ? std::strtof(text, nullptr) == static_cast<float>(v) : std::strtod(text, nullptr) == v) break;
    }
    const int32_t exponent = v == 0.0 ? 0 : DecimalExponent(v, digits);
    if (exponent >= -5 && exponent < 16) {
        const int32_t decimals = std::max(digits - 1 - exponent, 0);
        std::snprintf(text, sizeof text, "%.*f", decimals, v);
    } else {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
    }
    return text;
}

}  // namespace

// Nine significant digits always read back to the same float, seventeen to
// the same double.
std::string ShortestRealText(float v) { return ShortestText(static_cast<double>(v), 9, true); }
std::string ShortestDoubleText(double v) { return ShortestText(v, 17, false); }

std::string FixedRealText(float v, int32_t decimals)
{
    if (!std::isfinite(v)) return ShortestRealText(v);
    const ClassicNumbers classic;
    // A float has at most 39 digits before the point.
    char text[96];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 40), static_cast<double>(v));
    return text;
}

bool ReadWholeReal(std::string_view text, float* value)
{
    // Exactly the forms ShortestRealText writes: one decimal number, nothing around it.
    char local[64];
    if (text.empty() || text.size() >= sizeof local) return false;
    std::memcpy(local, text.data(), text.size());
    local[text.size()] = '\0';
    if (ScanDecimal(local) != local + text.size()) return false;
    const ClassicNumbers classic;
    const float parsed = std::strtof(local, nullptr);
    if (!std::isfinite(parsed)) return false;
    *value = parsed;
    return true;
}
