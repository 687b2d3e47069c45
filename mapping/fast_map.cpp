#include "mapping/fast_map.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "mapping/map_scores.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "sim/audio_lead.h"
#include "sim/response.h"
#include "sim/spikes.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr int64_t kFarFrames = int64_t{1} << 40;  // past any frame shown live
constexpr int32_t kSettleTicks = 25;              // the filters' 20 steps filled with noise first

float Draw(void* source) { return DrawSeededUniform(*static_cast<SeededUniform*>(source)); }

int32_t Terms(const RfFilterSet& set) { return std::clamp(set.termCount, 0, kMaxTerms); }

// The tick's spikes into the stretch, at their samples from its start.
struct StretchTick {
    RecordedStretch* stretch;
    int64_t first;
};
void KeepSpike(void* context, int32_t offset)
{
    auto* t = static_cast<StretchTick*>(context);
    t->stretch->spikes.push_back(t->first + offset);
}

// The last kMapLags ticks' frames of one map carried into another of the same noise.
void CarryRing(SpikeTriggeredAverage& to, const SpikeTriggeredAverage& from)
{
    if (!(to.settings == from.settings)) return;
    to.newest = from.newest;
    std::memcpy(to.ringFrame, from.ringFrame, sizeof to.ringFrame);
    std::memcpy(to.ringValues, from.ringValues, sizeof to.ringValues);
}

}  // namespace

std::unique_ptr<FastMapJob> PrepareFastMap(int64_t ticks, int32_t seed, const SpikeTriggeredAverage* live)
{
    auto job = std::make_unique<FastMapJob>();
    job->set = std::make_unique<RfFilterSet>(CurrentFilters());
    job->map = std::make_unique<SpikeTriggeredAverage>();
    const NoiseSettings s = NoiseSettingsOfStimulus();
    ResetMap(*job->map, s);
    if (live) CarryRing(*job->map, *live);
    job->keepStretch = recording.on;
    job->recordingStarts = recording.starts;
    job->stretch.settings = s;
    job->stretch.centreXDeg = stimulus.stimX, job->stretch.centreYDeg = stimulus.stimY;
    job->uniform = MakeSeededUniform(std::clamp(seed, 1, 2147483646));
    job->firstFrame = kFarFrames;
    job->ticksTotal = std::max<int64_t>(ticks, 0);
    if (CheckNoiseSettings(s) != NoiseFine) {
        job->ticksTotal = 0;
        return job;
    }
    // Each square's sum over the pixels the tick reads of it, as the scene
    // tick draws the square into the image the box covers (as TrueFieldOnGrid).
    job->squareTerms = SquareFilterSums(*job->set, s, NoiseGridAt(s, stimulus.mouseX, stimulus.mouseY));
    return job;
}

float FastMapTick(FastMapJob& job, int32_t& spikes)
{
    const RfFilterSet& set = *job.set;
    const NoiseSettings& s = job.map->settings;
    static thread_local int8_t values[kMaxNoiseSquares];
    const int64_t frame = job.firstFrame + job.ticksRun / s.frameTicks;
    NoiseFrame(s, frame, values);
    // This tick's projections, as the neuron tick projects the image.
    job.newest = job.newest + 1 == kFilterSteps ? 0 : job.newest + 1;
    double* p = job.projection[job.newest];
    const int32_t terms = Terms(set);
    p[0] = p[1] = 0.0;
    for (int32_t q = 0; q < NoiseSquares(s); ++q) {
        if (values[q] == 0) continue;
        const double v = static_cast<double>(s.contrast * static_cast<float>(values[q]));
        for (int32_t k = 0; k < terms; ++k) p[k] += v * job.squareTerms[static_cast<size_t>(q) * kMaxTerms + k];
    }
    // Step 1 weighs this tick's frame, step 20 the frame of 19 ticks ago (ComputeDrive's sum).
    double a = 0.0, b = 0.0;
    for (int32_t step = 1; step <= kFilterSteps; ++step) {
        const int32_t slot = (job.newest - (step - 1) + kFilterSteps) % kFilterSteps;
        for (int32_t k = 0; k < terms; ++k) {
            if (set.cellType == Complex) {
                a += set.energyATemporal[k][step - 1] * job.projection[slot][k];
                b += set.energyBTemporal[k][step - 1] * job.projection[slot][k];
            } else {
                a += set.linearTemporal[k][step - 1] * job.projection[slot][k];
            }
        }
    }
    const double drive = set.cellType == Complex ? (a * a + b * b) / 1000.0 : a;
    float scaled = static_cast<float>(drive) * modelOptions.currentMaxRate.load();
    if (std::isnan(scaled)) scaled = 0.0f;
    const float rate = DriveToRate(set, scaled);
    StretchTick kept{&job.stretch, (job.ticksRun - kSettleTicks) * kAudioSlice};
    const bool keep = job.keepStretch && job.ticksRun >= kSettleTicks;
    spikes = RunSpikeTrain(job.train, rate, kAudioSlice, Draw, &job.uniform, keep ? KeepSpike : nullptr, &kept);
    return rate;
}

bool RunFastMap(FastMapJob& job, int64_t most)
{
    const int64_t end = job.ticksTotal + kSettleTicks;
    for (int64_t n = 0; n < most && job.ticksRun < end && !job.stop.load(std::memory_order_relaxed); ++n) {
        int32_t spikes = 0;
        FastMapTick(job, spikes);
        const int64_t frame = job.firstFrame + job.ticksRun / job.map->settings.frameTicks;
        if (job.ticksRun >= kSettleTicks) FeedMap(*job.map, spikes, frame);
        RecordedStretch& st = job.stretch;
        if (job.keepStretch && job.ticksRun >= kSettleTicks && (st.frames.empty() || st.frames.back() != frame))
            st.frames.push_back(frame), st.onsets.push_back((job.ticksRun - kSettleTicks) * kAudioSlice);
        ++job.ticksRun;
        // Memory stays bounded: a stretch that is full ends the job there.
        if (st.spikes.size() >= kStretchSpikesMost) job.stop.store(true, std::memory_order_relaxed);
        if (job.ticksRun % 500 == 0) job.progress.store(std::max<int64_t>(job.ticksRun - kSettleTicks, 0), std::memory_order_relaxed);
    }
    job.progress.store(std::max<int64_t>(job.ticksRun - kSettleTicks, 0), std::memory_order_relaxed);
    return job.ticksRun < end && !job.stop.load(std::memory_order_relaxed);
}

FastMapEnd FinishFastMap(FastMapJob& job, SpikeTriggeredAverage& into)
{
    if (!MergeMap(into, *job.map)) return FastMapNotAdded;
    CarryRing(into, *job.map);
    const bool same = recording.on && recording.starts == job.recordingStarts;
    if (!job.keepStretch || !same) return job.keepStretch || recording.on ? FastMapNotRecorded : FastMapAdded;
    job.stretch.samples = std::max<int64_t>(job.ticksRun - kSettleTicks, 0) * kAudioSlice;
    InsertStretch(std::move(job.stretch));
    return FastMapAdded;
}

bool MergeMap(SpikeTriggeredAverage& into, const SpikeTriggeredAverage& from)
{
    if (!(into.settings == from.settings)) return false;
    into.spikes += from.spikes, into.ticks += from.ticks;
    for (int32_t lag = 0; lag < kMapLags; ++lag) {
        into.lagSpikes[lag] += from.lagSpikes[lag];
        for (int32_t q = 0; q < kMaxNoiseSquares; ++q) {
            into.sum[lag][q] += from.sum[lag][q];
            into.onSpikes[lag][q] += from.onSpikes[lag][q], into.offSpikes[lag][q] += from.offSpikes[lag][q];
            into.onTicks[lag][q] += from.onTicks[lag][q], into.offTicks[lag][q] += from.offTicks[lag][q];
        }
    }
    return true;
}
