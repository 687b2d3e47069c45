#include "controls/value_ranges.h"

#include <charconv>
#include <cmath>

bool InRange(const ValueRange& range, float v)
{
    if (!std::isfinite(v)) return false;
    if (range.lowOpen ? !(v > range.low) : !(v >= range.low)) return false;
    if (range.highOpen ? !(v < range.high) : !(v <= range.high)) return false;
    return !range.whole || std::trunc(v) == v;
}

std::string ShortestText(float v)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

std::string RangeText(const ValueRange& range)
{
    const std::string kind = range.whole ? "a whole number" : "a number";
    if (range.low == -FLT_MAX && range.high == FLT_MAX) return kind;
    const std::string low = ShortestText(range.low), high = ShortestText(range.high);
    if (range.high == FLT_MAX) return kind + (range.lowOpen ? " more than " : " of at least ") + low;
    if (!range.lowOpen && !range.highOpen) return kind + " from " + low + " to " + high;
    return kind + (range.lowOpen ? " more than " : " of at least ") + low +
           (range.highOpen ? " and less than " : " and at most ") + high;
}
