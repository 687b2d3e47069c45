// One whole scene tick with the busiest picture the program draws every
// frame: the default simple cell's grey-scale map and a grating of radius
// 5 degrees, at a common window size and at the largest frame the store
// holds. Beside it, the same frame drawn the plain way (every map value
// through the filter accessor, the grating walked column by column), so the
// gain is measured in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <string>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "sim/scene_drawing.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace {

void PrepareScene(int32_t width, int32_t height)
{
    ResetFrameBuffers();
    ResetStimulus();
    ResetModelOptions();
    ResetReceptiveField(width, height);
    ResetFilters();
    ResetStimulusImages();
    ResetSimulation();
    appState.clientWidth = width;
    appState.clientHeight = height;
    simulation.traceWidth = std::min(width - 2 * appState.margin, kMaxTraceWidth);
    RequestFrameSize(width, height);
    receptiveField.cellType = Simple;
    receptiveField.displayMode = GreyScale;
    buildFilters();
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

// The grating as the formula reads, x outer and y inner, one clock reading.
void PlainGrating(const RfFilterSet& set)
{
    const float dpp = stimulus.degreesPerPixel;
    const int32_t mx = stimulus.mouseX, my = stimulus.mouseY;
    const float k = 6.2831855f / ((1.0f / stimulus.gratingSf) / dpp);
    const float phi = stimulus.orientation * 3.1415927f / 180.0f;
    const float s = std::sin(phi), c = std::cos(phi);
    const float psi = stimulus.gratingPhase * 0.017453292f;
    const float amplitude = stimulus.contrastPercent / 100.0f;
    const float r = stimulus.gratingRadius / dpp;
    const int32_t h = static_cast<int32_t>(r + 5.0f);
    float* image = StimulusImageBack();
    for (int32_t x = mx - h; x <= mx + h; ++x) {
        for (int32_t y = my - h; y <= my + h; ++y) {
            float v = 0.0f;
            if (static_cast<float>((x - mx) * (x - mx) + (y - my) * (y - my)) <= r * r) {
                const float across = s * static_cast<float>(x - mx) + c * static_cast<float>(y - my);
                v = amplitude * std::cos(k * across + psi);
                SetColour(static_cast<uint32_t>((v + 1.0f) * 127.0f) * 0x010101u);
                if (y > appState.toolbarHeight) PlotPixel(x, y);
            }
            const int32_t col = x - set.boxLeft, row = y - set.boxTop;
            if (col >= 0 && col < kFilterSide && row >= 0 && row < kFilterSide && x <= set.boxRight &&
                y <= set.boxBottom)
                image[row * kFilterSide + col] = v;
        }
    }
}

void PlainSceneBench(benchmark::State& state, int32_t width, int32_t height)
{
    PrepareScene(width, height);
    int32_t w = width, h = height;
    SizeFrameBuffer(w, h);
    const RfFilterSet& set = CurrentFilters();
    for (auto _ : state) {
        ClearFrame(0x808080);
        std::memset(StimulusImageBack(), 0, sizeof(float) * kFilterPixels);
        for (int32_t x = set.boxLeft; x <= set.boxRight; ++x) {
            for (int32_t y = set.boxTop; y <= set.boxBottom; ++y) {
                const float v = LinearValue(set, x - set.boxLeft + 1, y - set.boxTop + 1, 2);
                const int32_t g = static_cast<int32_t>(v * 127.0f / set.displayPeak + 128.0f);
                SetColour(static_cast<uint32_t>(g) * 0x010101u);
                PlotPixel(x, y);
            }
        }
        PlainGrating(set);
        DrawTraces();
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
