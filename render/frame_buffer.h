#pragma once
#include <cstdint>

// Stores before a canvas size is known (and in the headless tests).
constexpr int32_t kFrameStorePixels = 3000000;
// The largest canvas stores are made for (7680 x 4320); a larger canvas gets
// a frame reduced to this, shown smaller than the canvas.
constexpr int64_t kMaxFrameStorePixels = int64_t{7680} * 4320;

// A rectangle of frame pixels: left and top included, right and bottom
// excluded; empty when right <= left or bottom <= top.
struct FrameRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The off-screen 32-bit image the scene thread draws into. Pixel (x, y) is the
// 32-bit word x + width * y of pixels, laid out as bytes blue, green, red, 0.
// Colours are packed 0x00BBGGRR (red in the low byte).
//
// There are three stores, each the size of the canvas. The scene thread
// draws into one, publishes it whole, and takes a free one for the next
// frame; the user-interface thread presents the newest published store.
// Neither ever waits for the other and neither ever sees a store while the
// other writes it.
struct FrameBuffer {
    uint32_t* pixels = nullptr;  // the store being drawn
    int32_t width = 0, height = 0;
    int32_t penX = 0, penY = 0;
    uint32_t colour = 0;
    // Grows around every pixel the primitives write; the scene tick empties
    // it before each drawing step whose extent it wants to know.
    FrameRect touched;
};
extern FrameBuffer frameBuffer;

// Grows frameBuffer.touched by a rectangle, clipped to the image.
void TouchFrame(int64_t left, int64_t top, int64_t right, int64_t bottom);
// A rectangle that covers both.
FrameRect Bounding(const FrameRect& a, const FrameRect& b);  // the drawing side: scene thread (or tests)

// User-interface thread: makes stores for a canvas of width x height (at most
// kMaxFrameStorePixels) and hands them to the drawing side, which takes them
// over at its next frame. Old stores are freed here once no thread can hold
// them. A canvas with no area keeps the stores it has.
void ProvideFrameStores(int32_t width, int32_t height);
// User-interface thread: bytes held by frame stores, old ones not yet
// released included.
int64_t FrameStoreBytes();

// Drawing side, at the start of a frame: takes over stores provided since the
// last frame, fits the requested size into its store (same aspect; only
// reduced while stores for a new size are on their way or past the largest
// size), writes the used size back and returns the store.
uint32_t* SizeFrameBuffer(int32_t& width, int32_t& height);
void ClearFrame(uint32_t colour);
void SetColour(uint32_t colour);
void MoveTo(int32_t x, int32_t y);
void PlotPixel(int32_t x, int32_t y);
void LineTo(int32_t x, int32_t y);
void DrawCross(int32_t x, int32_t y, int32_t size);
void DrawDash(int32_t x, int32_t y, int32_t size);
void DrawRing(float radius);
uint32_t ReadPixel(int32_t x, int32_t y);

// Publishes the store just drawn and takes a free one for the next frame, at
// the size in force as far as that store allows. change says where the frame
// differs from the one published before it; without it, everywhere.
struct FrameChange;
void PublishFrame();
void PublishFrame(const FrameChange& change);
// Drawing side: serial of the last frame published (0 before any).
uint32_t LastPublishedSerial();

// What the drawing side last drew into the store it now draws into, kept
// with the store so that the next frame there can start from it instead of
// from a cleared image. Forgotten (key 0) whenever the store is replaced.
struct StoreContent {
    uint64_t key = 0;  // the drawing side's own description of the background
    FrameRect stimulus, traces;
};
StoreContent& BackStoreContent();

// Where a published frame differs from the one published just before it: a
// few rectangles that together hold every changed pixel, or the whole frame.
constexpr int32_t kMaxChangeRects = 4;
struct FrameChange {
    bool whole = true;
    int32_t count = 0;
    FrameRect rects[kMaxChangeRects];
};

// What the user-interface thread presents: the newest published frame. The
// pointer stays valid and unchanged until the next call of LatestFrame.
struct PresentedFrame {
    const uint32_t* pixels = nullptr;
    int32_t width = 0, height = 0;
    uint32_t serial = 0;  // grows with every published frame
    // Against the frame of serial - 1; only of use to a presenter that
    // showed exactly that one last.
    FrameChange change;
};
PresentedFrame LatestFrame();
// The frame the last LatestFrame call gave, again.
PresentedFrame PresentedNow();

// Back to the start: fresh zeroed stores of kFrameStorePixels, size 0 x 0.
// No other thread may be drawing or presenting.
void ResetFrameBuffers();
