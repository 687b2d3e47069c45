#pragma once
// Shared set-up of the engine tests: every record at its start-up value on a
// 1000 x 700 canvas, a seeded random word, and small helpers that feed the
// neuron tick an image the way the scene thread does.
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "sim/neuron_tick.h"
#include "sim/response.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "sim/spikes.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

namespace engine_test {

constexpr int32_t kCanvasWidth = 1000;
constexpr int32_t kCanvasHeight = 700;

inline void ResetEngine(int32_t cellType, int32_t seed = 12345)
{
    randomWord.word.store(seed);
    ResetShuffledUniform();
    appState.clientWidth = kCanvasWidth;
    appState.clientHeight = kCanvasHeight;
    ResetStimulus();
    ResetReceptiveField(kCanvasWidth, kCanvasHeight);
    ResetModelOptions();
    ResetFilters();
    ResetFrameBuffers();
    ClearMarks();
    ResetStimulusImages();
    ResetSimulation();
    simulation.traceWidth = kCanvasWidth - 2 * appState.margin;
    RequestFrameSize(kCanvasWidth, kCanvasHeight);
    receptiveField.cellType = cellType;
    buildFilters();
}

// Half size of the published box (columns 0..2R of the image are used).
inline int32_t BoxHalf()
{
    const RfFilterSet& set = CurrentFilters();
    return (set.boxRight - set.boxLeft) / 2;
}

// Publishes an image as the scene thread would: value(column, row) over the
// box, relative to its top-left corner; zero elsewhere.
template <typename Fn>
void PublishImage(Fn value)
{
    float* image = StimulusImageBack();
    for (int32_t i = 0; i < kFilterPixels; ++i) image[i] = 0.0f;
    const int32_t span = 2 * BoxHalf() + 1;
    for (int32_t r = 0; r < span && r < kFilterSide; ++r)
        for (int32_t c = 0; c < span && c < kFilterSide; ++c) image[r * kFilterSide + c] = value(c, r);
    PublishStimulusImage();
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

}  // namespace engine_test
