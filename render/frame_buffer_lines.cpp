// Lines, the plus and minus marks and the anti-aliased ring. Everything is
// clipped to the image size read when the primitive starts; coordinates far
// outside the image (a typed size of 1e30 ends up here) neither overflow nor
// make a primitive walk pixels that can never be drawn.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/numeric.h"
#include "render/frame_buffer.h"
#include "render/frame_buffer_pixels.h"

namespace {

int32_t SaturatingAdd(int32_t a, int64_t b)
{
    const int64_t s = int64_t{a} + b;
    return static_cast<int32_t>(std::clamp<int64_t>(s, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

void LineTo(int32_t x1, int32_t y1)
{
    const int32_t x0 = frameBuffer.penX, y0 = frameBuffer.penY;
    // The differences are exact in 64 bits before they become floats.
    const float dx = static_cast<float>(int64_t{x1} - x0);
    const float dy = static_cast<float>(int64_t{y1} - y0);
    if (dx == 0.0f && dy == 0.0f) return;
    const float adx = std::fabs(dx), ady = std::fabs(dy);
    const int64_t nx = static_cast<int64_t>(1.0f + adx);
    const int64_t ny = static_cast<int64_t>(1.0f + ady);
    const int64_t w = frameBuffer.width, h = frameBuffer.height;
    const uint32_t colour = frameBuffer.colour;
    const float fx0 = static_cast<float>(x0), fy0 = static_cast<float>(y0);

    // Each case steps one pixel along its major axis; only the steps whose
    // major coordinate lies inside the image can draw, so only those are run.
    if (y0 > y1 && ady >= adx) {  // up: y = y0 - i
        const int64_t lo = std::max<int64_t>(0, y0 - h + 1), hi = std::min<int64_t>(ny - 1, y0);
        for (int64_t i = lo; i <= hi; ++i)
            PutPixel(TruncInt(fx0 + static_cast<float>(i) * dx / ady), y0 - i, colour);
    } else if (x1 > x0 && adx > ady) {  // right: x = x0 + i
        const int64_t lo = std::max<int64_t>(0, -int64_t{x0}), hi = std::min<int64_t>(nx - 1, w - 1 - x0);
        for (int64_t i = lo; i <= hi; ++i)
            PutPixel(x0 + i, TruncInt(fy0 + static_cast<float>(i) * dy / dx), colour);
    } else if (x0 >= x1 && adx >= ady) {  // left: x = x0 - i
        const int64_t lo = std::max<int64_t>(0, x0 - w + 1), hi = std::min<int64_t>(nx - 1, x0);
        for (int64_t i = lo; i <= hi; ++i)
            PutPixel(x0 - i, TruncInt(fy0 - static_cast<float>(i) * dy / dx), colour);
    } else {  // down: y = y0 + i
        const int64_t lo = std::max<int64_t>(0, -int64_t{y0}), hi = std::min<int64_t>(ny - 1, h - 1 - y0);
        for (int64_t i = lo; i <= hi; ++i)
            PutPixel(TruncInt(fx0 + static_cast<float>(i) * dx / dy), y0 + i, colour);
    }
    frameBuffer.penX = x1;
    frameBuffer.penY = y1;
}

void DrawCross(int32_t x, int32_t y, int32_t size)
{
    MoveTo(SaturatingAdd(x, -int64_t{size}), y);
    LineTo(SaturatingAdd(x, size), y);
    MoveTo(x, SaturatingAdd(y, -int64_t{size}));
    LineTo(x, SaturatingAdd(y, size));
}

void DrawDash(int32_t x, int32_t y, int32_t size)
{
    MoveTo(SaturatingAdd(x, -int64_t{size}), y);
    LineTo(SaturatingAdd(x, size), y);
}
