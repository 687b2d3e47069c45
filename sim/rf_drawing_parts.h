#pragma once
// The cases of the receptive-field drawing, one per way a field is shown.
#include <cstdint>

#include "model/filters.h"

// Pixel positions from sizes this large are far off any frame; holding them
// here keeps every sum and product of positions inside 64 bits.
constexpr int64_t kFarPixels = int64_t{1} << 40;

// The field's centre pixel and its axes in frame pixels (y downward):
// a runs along the bars, b across them.
struct RfFrame {
    int64_t cx = 0, cy = 0;
    float ax = 1, ay = 0, bx = 0, by = 1;
};
RfFrame CurrentRfFrame();

// Truncated toward zero and held within +-kFarPixels.
int64_t TruncFar(double x);

void DrawComplexOutline(const RfFrame& f, int32_t displayMode);
void DrawGreyScaleMap(const RfFilterSet& filters);
void DrawXCellOutline(const RfFrame& f, int32_t cellType);
void DrawSimpleOutline(const RfFrame& f, int32_t displayMode);
