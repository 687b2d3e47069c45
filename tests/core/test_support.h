#pragma once
// Shared set-up of the core tests: every record back at its start-up value,
// images fed to the neuron tick the way the scene thread feeds them, a frame
// for the drawing tests and helpers that read the audio stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "sim/audio_stream.h"
#include "sim/neuron_tick.h"
#include "sim/response.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "sim/engine_reset.h"
#include "sim/spikes.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

namespace ts {

constexpr int32_t kWidth = 1000, kHeight = 700;
constexpr uint32_t kGrey = 0x808080;

// Every record at its start-up value on a width x height client area.
inline void ResetEngine(int32_t cellType, int32_t seed = 12345, int32_t width = kWidth, int32_t height = kHeight)
{
    randomWord.word.store(seed);
    ResetShuffledUniform();
    ResetEngineRecords(width, height);
    receptiveField.cellType = cellType;
    buildFilters();
}

// Half size of the published box (columns 0..2R of the image are used).
inline int32_t BoxHalf()
{
    const RfFilterSet& set = CurrentFilters();
    return (set.boxRight - set.boxLeft) / 2;
}

// Publishes value(column, row) over the box, relative to its top-left corner.
template <typename Fn>
void PublishImage(Fn value, bool grating = false)
{
    float* image = StimulusImageBack();
    for (int32_t i = 0; i < kFilterPixels; ++i) image[i] = 0.0f;
    const int32_t span = 2 * BoxHalf() + 1;
    for (int32_t r = 0; r < span && r < kFilterSide; ++r)
        for (int32_t c = 0; c < span && c < kFilterSide; ++c) image[r * kFilterSide + c] = value(c, r);
    PublishStimulusImage(grating);
}

inline void PublishBlank()
{
    PublishImage([](int32_t, int32_t) { return 0.0f; });
}

// A disc of the given contrast centred on the receptive field.
inline void PublishSpot(float contrast, float radiusPixels)
{
    const float centre = static_cast<float>(BoxHalf());
    PublishImage([=](int32_t c, int32_t r) {
        const float dx = c - centre, dy = r - centre;
        return dx * dx + dy * dy <= radiusPixels * radiusPixels ? contrast : 0.0f;
    });
}

// The drive of one neuron tick, computed the way the tick does.
inline float DriveOfTick()
{
    CopyStimulusToHistory();
    return ComputeDrive();
}

// ---- drawing: a grey frame and a filter set whose box the test chooses ----

inline uint32_t Grey(int32_t g) { return static_cast<uint32_t>(g) * 0x010101u; }

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

// Pixels of a colour 0x00BBGGRR; the store holds bytes blue, green, red, 0.
inline int64_t CountPixels(uint32_t colour)
{
    const uint32_t word = ((colour >> 16) & 0xFFu) | (colour & 0xFF00u) | ((colour & 0xFFu) << 16);
    const int64_t n = int64_t{frameBuffer.width} * frameBuffer.height;
    int64_t count = 0;
    for (int64_t i = 0; i < n; ++i) count += frameBuffer.pixels[i] == word;
    return count;
}

using Pixels = std::vector<std::pair<int32_t, int32_t>>;

// The frame's white pixels as (x, y), sorted.
inline Pixels WhitePixels()
{
    Pixels found;
    for (int32_t y = 0; y < frameBuffer.height; ++y)
        for (int32_t x = 0; x < frameBuffer.width; ++x)
            if (ReadPixel(x, y) == 0xFFFFFFu) found.emplace_back(x, y);
    std::sort(found.begin(), found.end());
    return found;
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

// ---- audio: a steady cell, the generator written out, a click scanner ----

constexpr int32_t kClientWidth = 800, kClientHeight = 600;
constexpr int32_t kSeed = 0x1234567;

// An ON-centre X cell with the stimulus off, firing at its spontaneous rate
// (15 Hz by default). spontaneous < 0 keeps the default.
inline void PrepareOnCentreCell(float spontaneous = -1.0f, bool hash = false)
{
    ResetEngine(OnCentreX, kSeed, kClientWidth, kClientHeight);
    if (spontaneous >= 0.0f) modelOptions.spontaneousRate[OnCentreX] = spontaneous;
    modelOptions.backgroundHash = hash;
    buildFilters();
    randomWord.word.store(kSeed, std::memory_order_relaxed);
}

struct ReferenceLcg {
    uint32_t state;
    float Next()
    {
        state = state * 1664525u + 1013904223u;
        const uint32_t bits = 0x3F800000u | (state & 0x007FFFFFu);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f - 1.0f;
    }
    // The next background-hash sample: hiss, and now and then a burst.
    int32_t NextHash()
    {
        const float u = Next();
        const int32_t hiss = static_cast<int32_t>((u - 0.5f) * 1000.0f);
        return u > 0.95f ? static_cast<int32_t>(static_cast<float>(hiss) + Next() * 5000.0f) : hiss;
    }
};

constexpr int16_t kClickLevel = 20000;
constexpr int32_t kClickLength = 12;

// True when a complete click starts at i.
inline bool IsClickAt(const std::vector<int16_t>& s, size_t i)
{
    if (i + kClickLength > s.size()) return false;
    for (size_t k = 0; k < 6; ++k)
        if (s[i + k] != kClickLevel || s[i + 6 + k] != -kClickLevel) return false;
    return true;
}

struct ClickScan {
    std::vector<size_t> starts;     // first sample of every complete click
    size_t brokenClickSamples = 0;  // +-20000 samples that belong to no complete click
    size_t otherSamples = 0;        // samples that are neither click nor 0
};

// Walks a stream that holds only clicks and silence.
inline ClickScan ScanClicks(const std::vector<int16_t>& s)
{
    ClickScan scan;
    for (size_t i = 0; i < s.size();) {
        if (IsClickAt(s, i)) {
            scan.starts.push_back(i);
            i += kClickLength;
            continue;
        }
        if (s[i] == kClickLevel || s[i] == -kClickLevel) ++scan.brokenClickSamples;
        else if (s[i] != 0) ++scan.otherSamples;
        ++i;
    }
    return scan;
}

inline std::vector<int16_t> CopyStream(int64_t first, int64_t count)
{
    std::vector<int16_t> out(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) out[i] = audioSamples[first + i].load(std::memory_order_relaxed);
    return out;
}

}  // namespace ts

// Default records on a 1000 x 700 client area and empty filter sets.
class FilterTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelOptions();
        ResetReceptiveField(ts::kWidth, ts::kHeight);
        ResetFilters();
    }
    void TearDown() override { ResetFilters(); }

    static const RfFilterSet& Build(int32_t cellType)
    {
        receptiveField.cellType = cellType;
        buildFilters();
        return CurrentFilters();
    }
    static int32_t HalfSize(const RfFilterSet& set) { return (set.boxRight - set.boxLeft) / 2; }
};
