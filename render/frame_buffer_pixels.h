#pragma once
// Pixel-level helpers shared by the frame-buffer primitives (not part of the
// drawing interface).
#include <cstdint>

#include "render/frame_buffer.h"

// A colour 0x00BBGGRR as the store's word: bytes blue, green, red, 0.
inline uint32_t PixelWord(uint32_t colour)
{
    return ((colour >> 16) & 0xFFu) | (colour & 0xFF00u) | ((colour & 0xFFu) << 16);
}

// The store's word back as a colour 0x00BBGGRR.
inline uint32_t ColourOfWord(uint32_t word) { return PixelWord(word); }

// Writes one pixel if it lies inside the image; the pen does not move.
inline void PutPixel(int64_t x, int64_t y, uint32_t colour)
{
    if (x < 0 || y < 0 || x >= frameBuffer.width || y >= frameBuffer.height) return;
    frameBuffer.pixels[x + int64_t{frameBuffer.width} * y] = PixelWord(colour);
    FrameRect& t = frameBuffer.touched;
    if (t.right <= t.left) {
        t = {static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + 1), static_cast<int32_t>(y + 1)};
        return;
    }
    if (x < t.left) t.left = static_cast<int32_t>(x);
    if (x >= t.right) t.right = static_cast<int32_t>(x + 1);
    if (y < t.top) t.top = static_cast<int32_t>(y);
    if (y >= t.bottom) t.bottom = static_cast<int32_t>(y + 1);
}
