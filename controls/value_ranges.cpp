#include "controls/value_ranges.h"

#include <cmath>

#include "model/file_numbers.h"

bool InRange(const ValueRange& range, float v)
{
    if (!std::isfinite(v)) return false;
    if (range.lowOpen ? !(v > range.low) : !(v >= range.low)) return false;
    if (range.highOpen ? !(v < range.high) : !(v <= range.high)) return false;
    return !range.whole || std::trunc(v) == v;
}

std::string RangeText(const ValueRange& range)
{
    const std::string kind = range.whole ? "a whole number" : "a number";
    if (range.low == -FLT_MAX && range.high == FLT_MAX) return kind;
    const std::string low = ShortestRealText(range.low), high = ShortestRealText(range.high);
    if (range.high == FLT_MAX) return kind + (range.lowOpen ? " more than " : " of at least ") + low;
    if (!range.lowOpen && !range.highOpen) return kind + " from " + low + " to " + high;
    return kind + (range.lowOpen ? " more than " : " of at least ") + low +
           (range.highOpen ? " and less than " : " and at most ") + high;
}
