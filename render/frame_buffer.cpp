// The off-screen image: storage, sizing, the hand-over of finished frames to
// the user-interface thread, and the plain primitives (clear, pen, pixel).
// Lines, marks and the ring are in frame_buffer_lines.cpp.
#include "render/frame_buffer.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>

#include "render/frame_buffer_pixels.h"

static_assert(std::endian::native == std::endian::little,
              "pixel words are written as blue, green, red, 0 bytes");

namespace {

constexpr int32_t kStoreCount = 3;
constexpr int64_t kStoreBytes = int64_t{kFrameStorePixels} * 4;
constexpr uint32_t kIndexMask = 3;
constexpr uint32_t kFresh = 4;  // the newest slot holds a frame not yet presented

// Three stores, allocated once for the whole run. At any moment one is drawn
// into (the scene thread's), one is shown (the user-interface thread's) and
// the third sits in the "newest" slot; whoever owns a store is the only one
// touching it, and ownership passes only through the exchange on newestSlot.
uint32_t stores[kStoreCount][kFrameStorePixels];

// What a store held when it was published. Written by the drawing side while
// it owns the store, read by the presenting side after it took it over.
struct StoreInfo {
    int32_t width = 0, height = 0;
    uint32_t serial = 0;
};
StoreInfo storeInfo[kStoreCount];

int32_t drawIndex = 0;                  // drawing side only
uint32_t publishedSerial = 0;           // drawing side only
std::atomic<uint32_t> newestSlot{1};    // index | kFresh
int32_t presentedIndex = 2;             // user-interface side only

}  // namespace

FrameBuffer frameBuffer{stores[0]};

uint32_t* SizeFrameBuffer(int32_t& width, int32_t& height)
{
    int64_t w = width > 0 ? width : 0;
    int64_t h = height > 0 ? height : 0;
    // In 64 bits: a large window's byte count does not fit an int. Counted
    // in pixels, as four bytes each would overflow even 64 bits.
    if (w * h > kStoreBytes / 4) {
        // One common factor for both sides keeps the aspect; the image is
        // then shown smaller than the window, never stretched.
        const double s = std::sqrt(static_cast<double>(kFrameStorePixels) /
                                    (static_cast<double>(w) * static_cast<double>(h)));
        w = static_cast<int64_t>(static_cast<double>(w) * s);
        h = static_cast<int64_t>(static_cast<double>(h) * s);
        // Rounding in s may leave the product a hair over the store.
        while (w * h > kFrameStorePixels) {
            if (w >= h) --w;
            else --h;
        }
    }
    frameBuffer.width = width = static_cast<int32_t>(w);
    frameBuffer.height = height = static_cast<int32_t>(h);
    return frameBuffer.pixels;
}

void ClearFrame(uint32_t colour)
{
    const int64_t count = int64_t{frameBuffer.width} * frameBuffer.height;
    const uint32_t word = PixelWord(colour);
    uint32_t* p = frameBuffer.pixels;
    for (int64_t i = 0; i < count; ++i) p[i] = word;
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

void PublishFrame()
{
    StoreInfo& info = storeInfo[drawIndex];
    info.width = frameBuffer.width;
    info.height = frameBuffer.height;
    info.serial = ++publishedSerial;
    const uint32_t previous =
        newestSlot.exchange(static_cast<uint32_t>(drawIndex) | kFresh, std::memory_order_acq_rel);
    // The store that was newest (presented or not) is free: draw the next
    // frame there, at the size already in force.
    drawIndex = static_cast<int32_t>(previous & kIndexMask);
    frameBuffer.pixels = stores[drawIndex];
}

PresentedFrame LatestFrame()
{
    if (newestSlot.load(std::memory_order_relaxed) & kFresh) {
        const uint32_t previous =
            newestSlot.exchange(static_cast<uint32_t>(presentedIndex), std::memory_order_acq_rel);
        presentedIndex = static_cast<int32_t>(previous & kIndexMask);
    }
    const StoreInfo& info = storeInfo[presentedIndex];
    return {stores[presentedIndex], info.width, info.height, info.serial};
}

void ResetFrameBuffers()
{
    std::memset(stores, 0, sizeof stores);
    for (StoreInfo& info : storeInfo) info = StoreInfo{};
    drawIndex = 0;
    publishedSerial = 0;
    newestSlot.store(1, std::memory_order_release);
    presentedIndex = 2;
    frameBuffer = FrameBuffer{stores[0]};
}
