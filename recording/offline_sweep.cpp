#include "recording/offline_sweep.h"

#include "model/filters.h"
#include "model/receptive_field.h"
#include "sim/audio_stream.h"
#include "sim/neuron_tick.h"
#include "sim/new_receptive_field.h"
#include "sim/scene_tick.h"
#include "sim/start_up.h"
#include "stimulus/stimulus_state.h"
#include "recording/recording.h"
#include "tuning/tuning_form.h"
#include "tuning/tuning_sweep.h"

namespace {

constexpr int32_t kWidth = 1000, kHeight = 700;  // the window's first client area

// The tuning form's first values for the sweep, centred on the field.
SweepPlan PlanOf(int32_t kind, int32_t repeats)
{
    // By OfflineSweepKind: direction is orientation's whole circle read for its DSI.
    constexpr int32_t kParameters[kOfflineKindCount] = {SweepOrientation, SweepOrientation, SweepSpatialFrequency,
                                                        SweepSize, SweepContrast, SweepTemporalFrequency};
    TuningFormValues values = DefaultFormValues(kind >= 0 && kind < kOfflineKindCount ? kParameters[kind] : 0);
    values.repeats = repeats;
    values.centre = true;
    return PlanOfForm(values);
}

// Retinal cells are measured with a spot for size; everything else with
// the drifting grating, which also gives F1/F0.
void ChooseStimulus(int32_t kind, int32_t cellType)
{
    const bool retinal = cellType == OnCentreX || cellType == OffCentreX;
    SetStimulusType(kind == OfflineSize && retinal ? Spot : Grating);
}

struct OfflineClock {
    int64_t position = 0, timeMs = 0, ticks = 0;
};
OfflineClock offlineClock;

}  // namespace

void PrepareOfflineSweep(const OfflineSweepRequest& request)
{
    ResetStartUpRecords(kWidth, kHeight, request.seed, true);
    SetSceneDrawing(false);
    PlaceNewReceptiveField(request.cellType);
    BuildFilters();
    ChooseStimulus(request.kind, request.cellType);
    offlineClock = OfflineClock{};
    // The model settles before anything is kept.
    for (int32_t i = 0; i < 25; ++i) OfflineTick();
    StartRecording();
}

void OfflineTick()
{
    OfflineClock& c = offlineClock;
    SceneTickAt(c.timeMs);
    NeuronTickCompute();
    FinishAudioTick(c.position);
    DrainRecording();
    PollSweep();
    c.timeMs += kTickMs;
    c.ticks += 1;
    c.position += kAudioSlice;
}

OfflineSweepResult RunOfflineSweep(const OfflineSweepRequest& request)
{
    PrepareOfflineSweep(request);
    StartSweep(PlanOf(request.kind, request.repeats));
    while (SweepRunning()) OfflineTick();
    // Half a second more: the last point's end and the response after it.
    for (int32_t i = 0; i < 25; ++i) OfflineTick();
    StopRecording();
    SetSceneDrawing(true);
    OfflineSweepResult result;
    result.field = tuningSweep.field;
    result.summary = SummariseCurve(result.field, AverageRepeats(tuningSweep.points));
    result.ticks = offlineClock.ticks;
    result.line = SummaryText(result.field, result.summary);
    return result;
}
