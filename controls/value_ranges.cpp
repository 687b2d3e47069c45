#include "controls/value_ranges.h"

#include <cmath>

#include "language/catalog.h"
#include "model/file_numbers.h"

bool InRange(const ValueRange& range, float v)
{
    if (!std::isfinite(v)) return false;
    if (range.lowOpen ? !(v > range.low) : !(v >= range.low)) return false;
    if (range.highOpen ? !(v < range.high) : !(v <= range.high)) return false;
    return !range.whole || std::trunc(v) == v;
}

// Each range's wording whole, in the language in force, so a translation
// need not glue "a number" to "from ... to"; [whole][kind of range].
std::string RangeText(const ValueRange& range)
{
    static constexpr const char* kWordings[2][7] = {
        {N_("a number"), N_("a number more than %1"), N_("a number of at least %1"), N_("a number from %1 to %2"),
         N_("a number more than %1 and less than %2"), N_("a number more than %1 and at most %2"),
         N_("a number of at least %1 and less than %2")},
        {N_("a whole number"), N_("a whole number more than %1"), N_("a whole number of at least %1"),
         N_("a whole number from %1 to %2"), N_("a whole number more than %1 and less than %2"),
         N_("a whole number more than %1 and at most %2"), N_("a whole number of at least %1 and less than %2")},
    };
    int kind = 0;
    if (range.low == -FLT_MAX && range.high == FLT_MAX) kind = 0;
    else if (range.high == FLT_MAX) kind = range.lowOpen ? 1 : 2;
    else if (!range.lowOpen && !range.highOpen) kind = 3;
    else kind = range.lowOpen ? (range.highOpen ? 4 : 5) : 6;
    return TrArgs(kWordings[range.whole ? 1 : 0][kind],
                  {LocalNumber(ShortestRealText(range.low)), LocalNumber(ShortestRealText(range.high))});
}
