#include "mapping/offline_map.h"

#include <cmath>
#include <cstdio>

#include "mapping/fast_map.h"
#include "mapping/map_scores.h"
#include "model/filters.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "recording/offline_sweep.h"
#include "recording/recording.h"
#include "sim/scene_tick.h"
#include "sim/simulation_state.h"
#include "sim/spike_log.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr int32_t kSettleTicks = 25;  // the filters' 20 steps filled with noise, and a little more

// The noise at the field's centre, always shown, its frame 0 from the next tick.
void ShowNoise(const NoiseSettings& s, int64_t nowMs)
{
    SetStimulusType(s.kind == WhiteNoiseKind ? WhiteNoise : SparseNoise);
    SetNoiseSettings(s);
    stimulus.noiseOriginMs = nowMs;
    stimulus.stimX = receptiveField.centreX.load();
    stimulus.stimY = receptiveField.centreY.load();
    stimulus.mouseX = TruncInt(stimulus.stimX / kDegreesPerPixel);
    stimulus.mouseY = TruncInt(stimulus.stimY / kDegreesPerPixel);
    stimulus.stationaryMode = true;
}

// The newest neuron tick's spikes and frame, from the tick ring as any
// reader takes them (the recording takes the frames from the spike log).
void FeedNewestTick(SpikeTriggeredAverage& m)
{
    const int64_t tick = simulation.neuronTicks.load(std::memory_order_acquire);
    const int32_t slot = static_cast<int32_t>(tick % kTickRingSlots);
    const int64_t frame = simulation.tickNoiseFrame[slot];
    FeedMap(m, simulation.tickSpikes[slot], frame);
}

}  // namespace

int64_t OfflineMapTicks(double minutes)
{
    if (!(minutes >= kMapMinutesLow && minutes <= kMapMinutesHigh)) return 0;
    return static_cast<int64_t>(minutes * 60000.0 / kMapLagMs);
}

OfflineMapResult RunOfflineMap(const OfflineMapRequest& request, SpikeTriggeredAverage& m)
{
    OfflineSweepRequest prepare;
    prepare.cellType = request.cellType;
    prepare.seed = request.noise.seed;
    PrepareOfflineSweep(prepare);  // records reset, the cell placed, the model settled
    ShowNoise(request.noise, int64_t{kSettleTicks} * kMapLagMs);
    for (int32_t i = 0; i < kSettleTicks; ++i) OfflineTick();
    StartRecording();
    ResetMap(m, NoiseSettingsOfStimulus());
    const int64_t ticks = OfflineMapTicks(request.minutes);
    for (int64_t i = 0; i < ticks; ++i) {
        if (i == ticks / 2 && request.fastForwardMinutes > 0.0) {
            const auto job = PrepareFastMap(OfflineMapTicks(request.fastForwardMinutes), request.noise.seed, &m);
            RunFastMap(*job);
            FinishFastMap(*job, m);
        }
        OfflineTick();
        FeedNewestTick(m);
    }
    StopRecording();
    SetSceneDrawing(true);  // as the sweep leaves it: a window after this run is seen again
    return SummariseMap(m);
}

OfflineMapResult SummariseMap(const SpikeTriggeredAverage& m)
{
    OfflineMapResult r;
    r.spikes = m.spikes;
    r.ticks = m.ticks;
    r.bestLag = BestMapLag(m);
    const NoiseGrid grid = NoiseGridAt(m.settings, stimulus.mouseX, stimulus.mouseY);
    r.correlation = MapCorrelation(StaMap(m, r.bestLag), TrueFieldOnGrid(CurrentFilters(), m.settings, grid, r.bestLag));
    r.overlap = OnOffOverlap(m, r.bestLag);
    char text[160];
    std::snprintf(text, sizeof text, "%lld spikes, best lag %d ms, correlation with the true field %.2f, ON/OFF overlap %.2f",
                  static_cast<long long>(r.spikes), r.bestLag * kMapLagMs, r.correlation, r.overlap);
    r.line = text;
    return r;
}
