#include "sim/spikes.h"

#include <cmath>

#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "render/number_format.h"
#include "sim/response_tick.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr float kGridStep = 88.1f;      // samples between trials, about 2 ms
constexpr float kRateDivisor = 487.8f;  // p = rate * order / kRateDivisor per trial
constexpr float kSpikeMark = 1.0f;      // response-trace value of a tick with a spike

// The order in force, read afresh at every use because the options dialog
// may change it mid-slice. An order below 1 would make every trial a spike.
int32_t GammaOrder()
{
    int32_t order = modelOptions.currentGammaOrder;
    return order < 1 ? 1 : order;
}

// Ring slots come from fields other threads may also set; keep them in the
// arrays' bounds whatever they hold.
int32_t TraceSlot()
{
    int32_t slot = simulation.traceIndex;
    return (slot < 1 || slot > kMaxTraceWidth) ? 1 : slot;
}

int32_t RateSlot()
{
    int32_t slot = simulation.rateWindowSlot;
    return (slot < 1 || slot > kRateWindowSlots) ? 1 : slot;
}

// For a grating the marker follows the bright half-cycles passing over the
// receptive-field centre, read from the image the tick copied.
int32_t GratingMarker()
{
    if (receptiveField.displayMode == Hidden) return 0;
    const CopiedImage view = LastCopiedImage();
    if (!view.image) return 0;
    const float perPixel = stimulus.degreesPerPixel;
    const int64_t column = static_cast<int64_t>(TruncInt(receptiveField.centreX / perPixel)) - view.boxLeft;
    const int64_t row = static_cast<int64_t>(TruncInt(receptiveField.centreY / perPixel)) - view.boxTop;
    if (column < 0 || column >= kFilterSide || row < 0 || row >= kFilterSide) return 0;
    return view.image[row * kFilterSide + column] > 0.0f ? 1 : 0;
}

int32_t StimulusMarker()
{
    if (!StimulusPresent()) return 0;
    return stimulus.stimulusType == Grating ? GratingMarker() : 1;
}

}  // namespace

void RecordRate(float expectedRate, float traceValue)
{
    const int32_t slot = RateSlot();
    simulation.rateWindow[slot] = expectedRate;
    simulation.responseTrace[TraceSlot()] = traceValue;
    simulation.rateWindowSlot = slot >= kRateWindowSlots ? 1 : slot + 1;
}

int32_t GenerateSpikes(float expectedRate, int32_t first, int32_t limit, ClickWriter writeClick)
{
    // A rate that is not a number gives a probability that no draw is below.
    const float p = expectedRate * static_cast<float>(GammaOrder()) / kRateDivisor;
    // The order was lowered since the last spike: start counting afresh.
    if (simulation.gammaEventCount > GammaOrder()) simulation.gammaEventCount = 0;
    float s = static_cast<float>(first);
    int32_t k = first;
    int32_t spikes = 0;
    while (k < limit) {
        if (Lcg() < p) {
            simulation.gammaEventCount += 1;
            if (simulation.gammaEventCount == GammaOrder()) {
                if (writeClick) writeClick(k);
                spikes += 1;
                simulation.gammaEventCount = 0;
                s += kGridStep;  // the dead time: one trial is skipped
            }
        }
        const float next = s + kGridStep;
        // Far up the float range a step no longer moves the position; stop
        // rather than trial the same sample for ever.
        if (!(next > s)) break;
        s = next;
        const int32_t nextK = TruncInt(s);
        if (nextK <= k) break;
        k = nextK;
    }
    return spikes;
}

void RecordTick(int32_t spikeCount)
{
    const int32_t slot = TraceSlot();
    if (spikeCount > 0) simulation.responseTrace[slot] = kSpikeMark;
    simulation.stimulusTrace[slot] = StimulusMarker();

    // A width below 1 keeps every tick in slot 1; the arrays end at 2200.
    int32_t width = simulation.traceWidth;
    if (width > kMaxTraceWidth) width = kMaxTraceWidth;
    simulation.traceIndex = slot + 1 > width ? 1 : slot + 1;

    float peak = 0.0f;
    for (int32_t i = 1; i <= kRateWindowSlots; ++i) {
        const float rate = simulation.rateWindow[i];
        if (std::isfinite(rate) && rate > peak) peak = rate;
    }
    simulation.peakRate = peak;

    // The tick's entry first, then the count that makes it visible.
    const int64_t tick = simulation.neuronTicks.load(std::memory_order_relaxed) + 1;
    const int32_t ring = static_cast<int32_t>(tick % kTickRingSlots);
    simulation.tickSpikes[ring] = spikeCount;
    simulation.tickPeakRate[ring] = peak;
    simulation.neuronTicks.store(tick, std::memory_order_release);
}
