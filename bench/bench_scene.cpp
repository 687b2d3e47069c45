// One whole scene tick with the busiest picture the program draws every
// frame: the default simple cell's grey-scale map and a grating of radius
// 5 degrees, at a common window size and at the largest frame the store
// holds. Beside it, the same frame drawn the plain way, so the gain is
// measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/plain_filters.h"
#include "model/app_state.h"
#include "model/filters.h"
#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "render/scene_drawing.h"
#include "sim/clock.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_image.h"
#include "stimulus/stimulus_state.h"
#include "tests/core/engine_records.h"

namespace {

constexpr float kPi = 3.1415927f, kTwoPi = 6.2831855f;

void PrepareScene(int32_t width, int32_t height)
{
    ResetEngineRecords(width, height);
    receptiveField.cellType = Simple;
    receptiveField.displayMode = GreyScale;
    BuildFilters();
    BuildPlainFilters(plainFilters);
    stimulus.stimulusType = Grating;
    stimulus.gratingRadius = 5.0f;
    stimulus.mouseX = width / 2;
    stimulus.mouseY = height / 2;
    stimulus.stimulusOn = true;
}

void SceneTickBench(benchmark::State& state, int32_t width, int32_t height)
{
    PrepareScene(width, height);
    for (auto _ : state) {
        SceneTick();
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(frameBuffer.width) * frameBuffer.height;
}

uint32_t Grey(float level)
{
    const int32_t g = level > 0.0f ? (level < 255.0f ? static_cast<int32_t>(level) : 255) : 0;
    return static_cast<uint32_t>(g) * 0x010101u;
}

// Rows of the frame and of the stimulus image that a pixel row y reaches.
uint32_t* FrameRow(int32_t y, int32_t firstRow)
{
    return y >= firstRow && y < frameBuffer.height ? frameBuffer.pixels + int64_t{y} * frameBuffer.width : nullptr;
}

float* ImageRow(const RfFilterSet& set, int32_t y)
{
    const int32_t last = std::min(set.boxBottom, set.boxTop + kFilterSide - 1);
    return y >= set.boxTop && y <= last ? StimulusImageBack() + (y - set.boxTop) * kFilterSide : nullptr;
}

// Step 2 of the whole linear filter, value by value, in rows.
void PlainMap(const RfFilterSet& set)
{
    const int32_t right = std::min({set.boxRight, set.boxLeft + kFilterSide - 1, frameBuffer.width - 1});
    const int32_t bottom = std::min({set.boxBottom, set.boxTop + kFilterSide - 1, frameBuffer.height - 1});
    for (int32_t y = std::max(set.boxTop, 0); y <= bottom; ++y) {
        uint32_t* row = FrameRow(y, 0);
        const float* values = plainFilters.linear[1][y - set.boxTop];
        for (int32_t x = std::max(set.boxLeft, 0); x <= right; ++x)
            row[x] = Grey(values[x - set.boxLeft] * 127.0f / plainFilters.displayPeak + 128.0f);
    }
}

// The grating (no flicker) over its whole square, each pixel tested against
// the disc, in rows; the frame and the box are looked up once per row.
void PlainGrating(const RfFilterSet& set, int64_t timeMs)
{
    const float dpp = kDegreesPerPixel, sf = stimulus.gratingSf;
    const int64_t periodMs = std::max<int64_t>(static_cast<int64_t>(1000.0f / (stimulus.gratingVelocity * sf)), 1);
    const float psi = static_cast<float>(timeMs % periodMs) * kTwoPi / static_cast<float>(periodMs);
    const float k = kTwoPi / ((1.0f / sf) / dpp);
    const float phi = stimulus.orientation * kPi / 180.0f;
    const float s = std::sin(phi), c = std::cos(phi);
    const float amplitude = stimulus.contrastPercent / 100.0f;
    const float r = stimulus.gratingRadius / dpp, r2 = r * r;
    const int32_t h = static_cast<int32_t>(r + 5.0f);
    const int32_t mx = stimulus.mouseX, my = stimulus.mouseY;
    const int32_t boxRight = std::min(set.boxRight, set.boxLeft + kFilterSide - 1);
    for (int32_t y = my - h; y <= my + h; ++y) {
        uint32_t* frameRow = FrameRow(y, appState.toolbarHeight + 1);
        float* imageRow = ImageRow(set, y);
        if (!frameRow && !imageRow) continue;
        for (int32_t x = mx - h; x <= mx + h; ++x) {
            const int32_t dx = x - mx, dy = y - my;
            if (static_cast<float>(dx * dx + dy * dy) > r2) continue;
            const float v = amplitude * std::cos(k * (s * static_cast<float>(dx) + c * static_cast<float>(dy)) + psi);
            if (frameRow && x >= 0 && x < frameBuffer.width) frameRow[x] = Grey((v + 1.0f) * 127.0f);
            if (imageRow && x >= set.boxLeft && x <= boxRight) imageRow[x - set.boxLeft] = v;
        }
    }
}

// Published like the tick's frame and image, so both sides cycle through the
// same stores.
void PlainFrame(int64_t timeMs)
{
    ClearFrame(0x808080);
    std::memset(StimulusImageBack(), 0, sizeof(float) * kFilterPixels);
    PlainMap(CurrentFilters());
    if (stimulus.stimulusOn) PlainGrating(CurrentFilters(), timeMs);
    DrawTraces();
    PublishFrame();
    PublishStimulusImage(CurrentFilters());
}

// The newest frame and stimulus image, copied.
std::vector<uint32_t> LatestPixels()
{
    const PresentedFrame frame = LatestFrame();
    return {frame.pixels, frame.pixels + int64_t{frame.width} * frame.height};
}

std::vector<float> LatestImage()
{
    const float* image = LatestStimulusImage();
    return {image, image + kFilterPixels};
}

// Once per run: the plain frame and image against the tick's at the same
// clock reading, first without the grating (which covers the whole map).
// Greys may differ by one where the two builds round a map value to either
// side of a level.
bool SameFrames()
{
    for (const bool grating : {false, true}) {
        stimulus.stimulusOn = grating;
        SceneTickAt(0);
        const std::vector<uint32_t> fast = LatestPixels();
        const std::vector<float> fastImage = LatestImage();
        PlainFrame(0);
        const std::vector<uint32_t> plain = LatestPixels();
        if (plain.size() != fast.size() || LatestImage() != fastImage) return false;
        for (size_t i = 0; i < fast.size(); ++i)
            for (int32_t shift = 0; shift <= 16; shift += 8)
                if (std::abs(static_cast<int32_t>((fast[i] >> shift) & 0xFF) -
                             static_cast<int32_t>((plain[i] >> shift) & 0xFF)) > 1)
                    return false;
    }
    return true;
}

void PlainSceneBench(benchmark::State& state, int32_t width, int32_t height)
{
    PrepareScene(width, height);
    if (!SameFrames()) {
        state.SkipWithError("plain frame differs from the tick's");
        return;
    }
    for (auto _ : state) {
        PlainFrame(MillisecondClock());
        benchmark::ClobberMemory();
    }
}

const int registered = [] {
    const int32_t sizes[][2] = {{1000, 700}, {2000, 1500}, {3840, 2160}};
    for (const auto& size : sizes) {
        const std::string suffix = std::to_string(size[0]) + "x" + std::to_string(size[1]);
        benchmark::RegisterBenchmark(("BM_SceneTick/" + suffix).c_str(), SceneTickBench, size[0], size[1])
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_SceneTickPlain/" + suffix).c_str(), PlainSceneBench, size[0],
                                     size[1])
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}  // namespace
