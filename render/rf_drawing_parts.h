#pragma once
// The cases of the receptive-field drawing, one per way a field is shown.
#include <cstdint>

#include "model/filters.h"
#include "render/frame_buffer.h"

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
// Puts the background (grey, and the grey-scale map as last drawn) back into
// the given rectangles of a frame that held it elsewhere, and leaves the pen
// and colour as drawing the map would. False, with nothing done, when the
// map kept is not the one these filters would draw.
bool RestoreGreyScaleBackground(const RfFilterSet& filters, const FrameRect* rects, int32_t count, uint32_t grey);
void DrawXCellOutline(const RfFrame& f, int32_t cellType);
void DrawSimpleOutline(const RfFrame& f, int32_t displayMode);
