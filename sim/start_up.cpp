#include "sim/start_up.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "render/traces.h"
#include "sim/scene_tick.h"
#include "sim/simulation_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_image.h"
#include "stimulus/stimulus_state.h"

namespace {
constexpr uint32_t kGrey = 0x808080;
}

void ResetStartUpRecords(int32_t width, int32_t height, uint32_t seedCounter, bool clearArrays)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // The frame starts at the client size (reduced to the store if huge).
    RequestFrameSize(width, height);
    appState = AppState{};
    appState.clientWidth = width;
    appState.clientHeight = height;
    // The margin is not in force yet: the first trace spans the whole width,
    // until the first resize brings in the margins.
    traces.traceWidth = std::clamp(width, 0, kMaxTraceWidth);
    SeedRandomWord(seedCounter);
    PrimeShuffledUniform();
    ResetStimulus();
    if (clearArrays) {
        ResetFilters();
        ResetStimulusImages();
        ResetSimulation();  // history slot 1, zero traces, trace index 1
    }
    ResetReceptiveField(width, height);  // simple cell, centred in the client area
    ResetModelOptions();
    ClearMarks();
}

void StartUpEngine(int32_t width, int32_t height, uint32_t seedCounter, bool again, void (*startAudio)())
{
    // Stores a previous run left go first; the reset then provides this size.
    if (again) ResetFrameBuffers();
    ResetStartUpRecords(width, height, seedCounter, again);
    // Until BuildFilters returns the neuron sees empty filters and stays at rest.
    if (startAudio) startAudio();
    BuildFilters();
    width = std::max(0, width), height = std::max(0, height);
    SizeFrameBuffer(width, height);
    ClearFrame(kGrey);
    PublishFrame();
}

void ApplyClientSize(int32_t width, int32_t height, ClientArea& lastArea, bool turned)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // Positions scale from the old recorded size, so this comes first.
    if (width > 0 && height > 0) {
        int32_t oldWidth = appState.clientWidth, oldHeight = appState.clientHeight;
        if (lastArea.width > 0 && lastArea.height > 0) {
            oldWidth = lastArea.width;
            oldHeight = lastArea.height;
        }
        if (turned) TurnPositions(oldWidth, oldHeight, width, height);
        else RescalePositions(oldWidth, oldHeight, width, height);
        lastArea = {width, height};
    }
    appState.clientWidth = width;
    appState.clientHeight = height;
    traces.traceWidth = std::clamp(width - 2 * appState.margin, 0, kMaxTraceWidth);
    RequestFrameSize(width, height);
    BuildFilters();
}
