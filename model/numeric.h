#pragma once
#include <cstdint>

// Pixel and degree conversions: 38 pixels per degree, the one scale of the
// visual field, whatever the size of the window.
constexpr float kDegreesPerPixel = 1.0f / 38.0f;

// x to the nearest integer, halves away from zero, clamped into int32.
int32_t NearestInt(double x);
// Float to int truncating toward zero, clamped into int32 (NaN gives 0).
int32_t TruncInt(double x);
