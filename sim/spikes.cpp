#include "sim/spikes.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "model/model_options.h"
#include "model/numeric.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "sim/audio_lead.h"
#include "sim/response_history.h"
#include "sim/simulation_state.h"
#include "sim/spike_log.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr float kSampleRate = static_cast<float>(kAudioRate);
constexpr float kDeadSamples = static_cast<float>(kClickSamples);  // two clicks never overlap
constexpr float kMostDeadFraction = 0.95f;
constexpr int32_t kHighestOrder = 100;   // bounds the draws per spike

// The order in force, read afresh at every event because the options dialog
// may change it mid-slice. Below 1 it means 1; past a hundred the train is a
// clock anyway, and the bound keeps a slice's work finite.
int32_t GammaOrder()
{
    const int32_t order = modelOptions.currentGammaOrder;
    return order < 1 ? 1 : (order > kHighestOrder ? kHighestOrder : order);
}

// Event time that passes per stream sample while the generator is live.
// A spike is the order-th event of a Poisson stream of order * rate events, so
// the live intervals are gamma intervals of that order with mean 1 / rate.
// After each spike the generator is dead for one click length; to keep the
// heard rate at the expected rate the live part is shortened by that much:
// a live rate of rate / (1 - rate * dead) makes the mean interval
// dead + (1 / rate - dead) = 1 / rate. Above 1 / dead (3675 spikes/s) no
// interval can be that short, so the dead fraction is held at 95 %: the
// cell then fires every 12 to 13 samples, and nothing overflows.
float EventTimePerSample(float rate, int32_t order)
{
    constexpr float deadSeconds = kDeadSamples / kSampleRate;
    float deadFraction = rate * deadSeconds;
    if (!(deadFraction < kMostDeadFraction)) deadFraction = kMostDeadFraction;  // also infinity
    const float liveRate = deadFraction / deadSeconds / (1.0f - deadFraction);
    return static_cast<float>(order) * liveRate / kSampleRate;
}

// Ring slots come from fields other threads may also set; keep them in the
// arrays' bounds whatever they hold.
int32_t TraceSlot()
{
    int32_t slot = traces.traceIndex;
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
    const float perPixel = kDegreesPerPixel;
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
    traces.responseTrace[TraceSlot()] = traceValue;
    simulation.rateWindowSlot = slot >= kRateWindowSlots ? 1 : slot + 1;
}

int32_t RunSpikeTrain(SpikeTrain& g, float expectedRate, int64_t span, UniformDraw uniform, void* source,
                      SpikeFired fire, void* context)
{
    // A slice is at most a few seconds; the bound keeps every offset an int32.
    span = std::min<int64_t>(span, int64_t{1} << 24);
    if (span <= 0) return 0;
    const float end = static_cast<float>(span);
    // The dead time after the previous tick's last spike runs on in stream
    // time, whatever the rate, so a click near the slice end keeps the next
    // slice's first click 12 samples away.
    float x = g.deadSamplesLeft < end ? g.deadSamplesLeft : end;  // samples into the slice
    g.deadSamplesLeft -= x;
    // Rates of 0, below 0 or not a number stop the event clock: the state
    // waits, unchanged, for the next tick with a rate.
    if (!(expectedRate > 0.0f)) return 0;
    int32_t spikes = 0;
    // Each pass ends the slice or makes an event; at most order events make a
    // spike and each spike moves 12 samples on, so the work is bounded.
    while (x < end) {
        // A unit-mean exponential: -log(u) with u in (0, 1], never log(0).
        if (g.eventTimeLeft < 0.0f) g.eventTimeLeft = -std::log(1.0f - uniform(source));
        const int32_t order = GammaOrder();
        const float perSample = EventTimePerSample(expectedRate, order);
        const float available = (end - x) * perSample;
        if (g.eventTimeLeft >= available) {
            g.eventTimeLeft -= available;
            break;
        }
        x += g.eventTimeLeft / perSample;
        g.eventTimeLeft = -1.0f;
        g.gammaEventCount += 1;
        // A count at or above a lowered order fires at this event.
        if (g.gammaEventCount < order) continue;
        g.gammaEventCount = 0;
        if (fire) fire(context, x < end ? TruncInt(x) : static_cast<int32_t>(span - 1));
        spikes += 1;
        x += kDeadSamples;
    }
    if (x > end) g.deadSamplesLeft = x - end;
    return spikes;
}

namespace {

struct Slice {
    int64_t first;
    ClickWriter writeClick;
};

void WriteAndLog(void* context, int32_t offset)
{
    const Slice& slice = *static_cast<const Slice*>(context);
    if (slice.writeClick) slice.writeClick(slice.first + offset);
    LogSpike(slice.first + offset);
}

}  // namespace

int32_t GenerateSpikes(float expectedRate, int64_t first, int64_t limit, ClickWriter writeClick)
{
    Slice slice{first, writeClick};
    return RunSpikeTrain(simulation.train, expectedRate, limit - first, [](void*) { return Lcg(); }, nullptr,
                         WriteAndLog, &slice);
}

void RecordTick(int32_t spikeCount)
{
    const int32_t slot = TraceSlot();
    traces.spikeTrace[slot] = spikeCount > 0 ? 1 : 0;
    traces.stimulusTrace[slot] = StimulusMarker();

    // A width below 1 keeps every tick in slot 1; the arrays end at kMaxTraceWidth.
    int32_t width = traces.traceWidth;
    if (width > kMaxTraceWidth) width = kMaxTraceWidth;
    traces.traceIndex = slot + 1 > width ? 1 : slot + 1;

    float peak = 0.0f;
    for (int32_t i = 1; i <= kRateWindowSlots; ++i) {
        const float rate = simulation.rateWindow[i];
        if (std::isfinite(rate) && rate > peak) peak = rate;
    }
    simulation.peakRate = peak;

    // The tick's entry first, then the count that makes it visible.
    const int64_t tick = simulation.neuronTicks.load(std::memory_order_relaxed) + 1;
    const int32_t ring = static_cast<int32_t>(tick % kTickRingSlots);
    // A reader that sees this entry has seen the count before it.
    std::atomic_thread_fence(std::memory_order_release);
    simulation.tickSpikes[ring] = spikeCount;
    simulation.tickPeakRate[ring] = peak;
    simulation.tickNoiseFrame[ring] = LastCopiedImage().noiseFrame;
    simulation.neuronTicks.store(tick, std::memory_order_release);
}
