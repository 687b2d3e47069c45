#pragma once
#include <cstdint>
#include <cstring>

// Pixel and degree conversions: 38 pixels per degree, the one scale of the
// visual field, whatever the size of the window.
constexpr float kDegreesPerPixel = 1.0f / 38.0f;

// x to the nearest integer, halves away from zero, clamped into int32.
int32_t NearestInt(double x);
// Float to int truncating toward zero, clamped into int32 (NaN gives 0).
int32_t TruncInt(double x);

// The bits of a value read as another type of the same size. Spelled out
// with memcpy because not every standard library the program is built with
// has std::bit_cast; compilers turn it into a plain register move.
template <typename To, typename From>
To BitCast(const From& from)
{
    static_assert(sizeof(To) == sizeof(From), "BitCast needs types of one size");
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}
