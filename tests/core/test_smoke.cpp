#include <gtest/gtest.h>

#include "sim/clock.h"

TEST(Clock, NeverGoesBackwards)
{
    int64_t a = MillisecondClock();
    int64_t b = MillisecondClock();
    EXPECT_LE(a, b);
}
