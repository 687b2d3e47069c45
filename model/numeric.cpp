// Float-to-int conversions that stay defined for every input: NaN and values
// outside int32 are clamped instead of being undefined behaviour.
#include "model/numeric.h"

#include <cmath>
#include <limits>

int32_t NearestInt(double x)
{
    if (std::isnan(x)) return 0;
    const double r = std::round(x);  // halves away from zero
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

int32_t TruncInt(double x)
{
    if (std::isnan(x)) return 0;
    const double t = std::trunc(x);
    if (t >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (t <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(t);
}
