// The off-screen image's plain primitives (clear, pen, pixel). The stores,
// their sizing and the hand-over of finished frames are in
// frame_buffer_stores.cpp; lines, marks and the ring in frame_buffer_lines.cpp.
#include "render/frame_buffer.h"

#include <algorithm>
#include <bit>

#include "render/frame_buffer_pixels.h"

static_assert(std::endian::native == std::endian::little,
              "pixel words are written as blue, green, red, 0 bytes");

FrameBuffer frameBuffer;

void ClearFrame(uint32_t colour)
{
    const int64_t count = int64_t{frameBuffer.width} * frameBuffer.height;
    const uint32_t word = PixelWord(colour);
    uint32_t* p = frameBuffer.pixels;
    for (int64_t i = 0; i < count; ++i) p[i] = word;
}

FrameRect Bounding(const FrameRect& a, const FrameRect& b)
{
    if (a.right <= a.left || a.bottom <= a.top) return b;
    if (b.right <= b.left || b.bottom <= b.top) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void TouchFrame(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    left = std::max<int64_t>(left, 0), top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, frameBuffer.width), bottom = std::min<int64_t>(bottom, frameBuffer.height);
    if (right <= left || bottom <= top) return;
    const FrameRect r{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                      static_cast<int32_t>(bottom)};
    frameBuffer.touched = Bounding(frameBuffer.touched, r);
}

void SetColour(uint32_t colour) { frameBuffer.colour = colour; }

void MoveTo(int32_t x, int32_t y)
{
    frameBuffer.penX = x;
    frameBuffer.penY = y;
}

void PlotPixel(int32_t x, int32_t y)
{
    frameBuffer.penX = x;
    frameBuffer.penY = y;
    PutPixel(x, y, frameBuffer.colour);
}

uint32_t ReadPixel(int32_t x, int32_t y)
{
    if (x < 0 || y < 0 || x >= frameBuffer.width || y >= frameBuffer.height) return 0;
    return ColourOfWord(frameBuffer.pixels[x + int64_t{frameBuffer.width} * y]);
}
