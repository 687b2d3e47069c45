#pragma once
#include <cstdint>

// One row of a dot product in eight independent float lanes, which the
// compiler turns into vector arithmetic; the last bits of the sum depend on
// that order, which is free.
inline float RowDot(const float* __restrict a, const float* __restrict v, int32_t w)
{
    constexpr int32_t kLanes = 8;
    float acc[kLanes] = {};
    int32_t c = 0;
    for (; c + kLanes <= w; c += kLanes)
        for (int32_t l = 0; l < kLanes; ++l) acc[l] += a[c + l] * v[c + l];
    for (; c < w; ++c) acc[0] += a[c] * v[c];
    float sum = 0.0f;
    for (int32_t l = 0; l < kLanes; ++l) sum += acc[l];
    return sum;
}
