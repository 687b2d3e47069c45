#pragma once
// Shared set-up of the core tests: records at their start-up values, images fed to the neuron tick the way the
// scene thread feeds them, a frame for the drawing tests and a click scanner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/app_state.h"
#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "sim/audio_stream.h"
#include "tests/core/engine_records.h"
#include "sim/neuron_tick.h"
#include "sim/new_receptive_field.h"
#include "sim/response.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "sim/scene_tick.h"
#include "sim/spikes.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_image.h"
#include "stimulus/stimulus_state.h"

// A filter element as the factored formulas define it (1-based i, j, t).
inline float FactoredValue(const RfFilterSet& set, const float (&temporal)[kMaxTerms][kFilterSteps], int32_t i,
                           int32_t j, int32_t t)
{
    if (i < 1 || j < 1 || t < 1 || i > set.builtColumns || j > set.builtRows || t > kFilterSteps) return 0.0f;
    float value = 0.0f;
    for (int32_t k = 0; k < set.termCount && k < kMaxTerms; ++k)
        value += set.spatial[k][(j - 1) * kFilterSide + (i - 1)] * temporal[k][t - 1];
    return value;
}
inline float LinearValue(const RfFilterSet& s, int32_t i, int32_t j, int32_t t) { return FactoredValue(s, s.linearTemporal, i, j, t); }
inline float EnergyAValue(const RfFilterSet& s, int32_t i, int32_t j, int32_t t) { return FactoredValue(s, s.energyATemporal, i, j, t); }
inline float EnergyBValue(const RfFilterSet& s, int32_t i, int32_t j, int32_t t) { return FactoredValue(s, s.energyBTemporal, i, j, t); }

namespace ts {

constexpr int32_t kWidth = 1000, kHeight = 700;
constexpr uint32_t kGrey = 0x808080, kWhite = 0xFFFFFF;

// Every record at its start-up value on a width x height client area, the
// shared random word seeded and the filters of cellType built.
inline void ResetEngine(int32_t cellType, int32_t seed = 12345, int32_t width = kWidth, int32_t height = kHeight)
{
    ResetEngineRecords(width, height);
    // After the reset, which seeds the word from the clock as a start does.
    randomWord.word.store(seed);
    PrimeShuffledUniform();
    receptiveField.cellType = cellType;
    BuildFilters();
}

// Half size of the published box (columns 0..2R of the image are used).
inline int32_t BoxHalf() { return (CurrentFilters().boxRight - CurrentFilters().boxLeft) / 2; }

// Publishes value(column, row) over the box, relative to its top-left corner.
template <typename Fn>
void PublishImage(Fn value, bool grating = false)
{
    float* image = StimulusImageBack();
    std::fill(image, image + kFilterPixels, 0.0f);
    const int32_t span = std::min(2 * BoxHalf() + 1, kFilterSide);
    for (int32_t r = 0; r < span; ++r)
        for (int32_t c = 0; c < span; ++c) image[r * kFilterSide + c] = value(c, r);
    PublishStimulusImage(CurrentFilters(), grating);
}

// The drive of one neuron tick, computed the way the tick does.
inline float DriveOfTick()
{
    CopyStimulusToHistory(CurrentFilters());
    return ComputeDrive(CurrentFilters());
}

// Tick n as the scene and audio threads run it (20 ms, 882 samples); returns its clicks.
inline int32_t RunTick(int64_t n)
{
    SceneTickAt(n * 20);
    NeuronTickCompute();
    return FinishAudioTick(n * 882);
}

// A spot under the pointer at the centre of a cellType field on a 1000 x 700 canvas (the canvas adds the band).
inline void SpotOverField(int32_t cellType)
{
    ResetEngine(cellType);
    SetStimulusType(Spot);
    OnPointerMove(500, 350 + 36);
}

// ---- drawing: a grey frame and a filter set whose box the test chooses ----

inline uint32_t Grey(int32_t g) { return static_cast<uint32_t>(g) * 0x010101u; }

// The size of the real ones: not on the stack.
inline RfFilterSet& TestFilters() { static RfFilterSet set; return set; }

inline void SetBox(RfFilterSet& set, int32_t left, int32_t top, int32_t halfSize)
{
    set.boxLeft = left, set.boxTop = top, set.boxRight = left + 2 * halfSize, set.boxBottom = top + 2 * halfSize;
}

inline void ResetScene(int32_t width = kWidth, int32_t height = kHeight)
{
    ResetEngineRecords(width, height), SizeFrameBuffer(width, height), ClearFrame(kGrey), SetColour(kWhite);
    std::fill(StimulusImageBack(), StimulusImageBack() + kFilterPixels, 0.0f);
    RfFilterSet& set = TestFilters();
    std::memset(set.spatial, 0, sizeof set.spatial);
    std::memset(set.linearTemporal, 0, sizeof set.linearTemporal);
    set.termCount = 0, set.displayPeak = 0.0f;
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
    return std::all_of(StimulusImageBack(), StimulusImageBack() + kFilterPixels, [](float v) { return std::isfinite(v); });
}

// Pixels of a colour 0x00BBGGRR; the store holds bytes blue, green, red, 0.
inline int64_t CountPixels(uint32_t colour)
{
    const uint32_t word = ((colour >> 16) & 0xFFu) | (colour & 0xFF00u) | ((colour & 0xFFu) << 16);
    return std::count(frameBuffer.pixels, frameBuffer.pixels + int64_t{frameBuffer.width} * frameBuffer.height, word);
}

using Pixels = std::vector<std::pair<int32_t, int32_t>>;

// The frame's white pixels as (x, y), in x order.
inline Pixels WhitePixels()
{
    Pixels found;
    for (int32_t x = 0; x < frameBuffer.width; ++x)
        for (int32_t y = 0; y < frameBuffer.height; ++y)
            if (ReadPixel(x, y) == kWhite) found.emplace_back(x, y);
    return found;
}

// ---- audio: a steady cell and a click scanner ----

constexpr int32_t kSeed = 0x1234567;

// An ON-centre X cell with the stimulus off, firing at its spontaneous rate (15 Hz unless spontaneous >= 0).
inline void PrepareOnCentreCell(float spontaneous = -1.0f, bool hash = false)
{
    ResetEngine(OnCentreX, kSeed, 800, 600);
    if (spontaneous >= 0.0f) modelOptions.spontaneousRate[OnCentreX] = spontaneous;
    modelOptions.backgroundHash = hash;
    BuildFilters();
    randomWord.word.store(kSeed, std::memory_order_relaxed);
}

constexpr int32_t kClickLength = 12;

struct ClickScan {
    std::vector<size_t> starts;     // first sample of every complete click
    size_t brokenClickSamples = 0;  // +-20000 samples that belong to no complete click
};

// Walks a stream of clicks (6 x +20000, 6 x -20000) and other samples.
inline ClickScan ScanClicks(const std::vector<int16_t>& s)
{
    ClickScan scan;
    for (size_t i = 0; i < s.size(); ++i) {
        bool click = i + kClickLength <= s.size();
        for (size_t k = 0; click && k < 6; ++k) click = s[i + k] == 20000 && s[i + 6 + k] == -20000;
        if (click) scan.starts.push_back(i), i += kClickLength - 1;
        else scan.brokenClickSamples += s[i] == 20000 || s[i] == -20000;
    }
    return scan;
}

}  // namespace ts
