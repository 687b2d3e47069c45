#pragma once
// Shared set-up of the drawing tests: a 1000 x 700 frame cleared to the
// scene's grey, the records at their defaults, and a filter set whose box
// the test chooses.
#include <cmath>
#include <cstring>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace drawtest {

constexpr uint32_t kGrey = 0x808080;
constexpr int32_t kWidth = 1000, kHeight = 700;

inline uint32_t Grey(int32_t g) { return static_cast<uint32_t>(g) * 0x010101u; }

// A filter set of the tests' own, so the box is exactly what a case needs.
inline RfFilterSet& TestFilters()
{
    static RfFilterSet set;
    return set;
}

inline void SetBox(RfFilterSet& set, int32_t left, int32_t top, int32_t halfSize)
{
    set.boxLeft = left;
    set.boxTop = top;
    set.boxRight = left + 2 * halfSize;
    set.boxBottom = top + 2 * halfSize;
}

inline void ResetScene(int32_t width = kWidth, int32_t height = kHeight)
{
    ResetFrameBuffers();
    SizeFrameBuffer(width, height);
    ClearFrame(kGrey);
    SetColour(0xFFFFFF);
    ResetStimulus();
    ResetModelOptions();
    ResetReceptiveField(width, height);
    appState.clientWidth = width;
    appState.clientHeight = height;
    appState.margin = 12;
    appState.toolbarHeight = 36;
    std::memset(StimulusImageBack(), 0, sizeof(float) * kFilterPixels);
    RfFilterSet& set = TestFilters();
    std::memset(set.spatial, 0, sizeof set.spatial);
    std::memset(set.linearTemporal, 0, sizeof set.linearTemporal);
    set.termCount = 0;
    set.displayPeak = 0.0f;
    SetBox(set, 418, 268, 82);
}

// The stimulus image element of frame pixel (x, y) for the test set's box.
inline float ImageAt(int32_t x, int32_t y)
{
    const RfFilterSet& set = TestFilters();
    return StimulusImageBack()[(y - set.boxTop) * kFilterSide + (x - set.boxLeft)];
}

inline bool ImageAllFinite()
{
    const float* image = StimulusImageBack();
    for (int32_t i = 0; i < kFilterPixels; ++i)
        if (!std::isfinite(image[i])) return false;
    return true;
}

// The store's word of a colour 0x00BBGGRR: bytes blue, green, red, 0.
inline uint32_t StoreWord(uint32_t colour)
{
    return ((colour >> 16) & 0xFFu) | (colour & 0xFF00u) | ((colour & 0xFFu) << 16);
}

inline int64_t CountPixels(uint32_t colour)
{
    const uint32_t word = StoreWord(colour);
    const int64_t n = int64_t{frameBuffer.width} * frameBuffer.height;
    int64_t count = 0;
    for (int64_t i = 0; i < n; ++i) count += frameBuffer.pixels[i] == word;
    return count;
}

// Every pixel a shade of grey (red, green and blue equal).
inline bool AllPixelsGrey()
{
    const int64_t n = int64_t{frameBuffer.width} * frameBuffer.height;
    for (int64_t i = 0; i < n; ++i) {
        const uint32_t w = frameBuffer.pixels[i];
        if ((w & 0xFF) != ((w >> 8) & 0xFF) || (w & 0xFF) != ((w >> 16) & 0xFF)) return false;
    }
    return true;
}

}  // namespace drawtest
