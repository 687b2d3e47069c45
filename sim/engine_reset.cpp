#include "sim/engine_reset.h"

#include <algorithm>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "model/app_state.h"
#include "render/frame_buffer.h"
#include "sim/scene_tick.h"
#include "sim/simulation_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_image.h"
#include "stimulus/stimulus_state.h"

void ResetEngineRecords(int32_t width, int32_t height)
{
    appState = AppState{};
    appState.clientWidth = width;
    appState.clientHeight = height;
    ResetStimulus();
    ResetReceptiveField(width, height);
    ResetModelOptions();
    ResetFilters();
    ResetFrameBuffers();
    ClearMarks();
    ResetStimulusImages();
    ResetSimulation();
    traces.traceWidth = std::clamp(width - 2 * appState.margin, 0, kMaxTraceWidth);
    RequestFrameSize(width, height);
}
