#include "recording/recording.h"

#include <algorithm>
#include <atomic>

#include "model/file_numbers.h"
#include "model/cell_type_names.h"
#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"
#include "tuning/tuning_sweep.h"

Recording recording;

namespace {

constexpr int32_t kDrainBatch = 4096;

double Seconds(int64_t sample)
{
    return static_cast<double>(sample - recording.originSample) / kRecordSampleRate;
}

float SizeOf(int32_t type)
{
    switch (type) {
    case Spot:
    case Annulus: return stimulus.spotRadius;
    case Grating: return stimulus.gratingRadius;
    case SparseNoise:
    case WhiteNoise: return stimulus.noiseSquareDeg;
    default: return stimulus.barLength;
    }
}

std::string ModelText()
{
    const ReceptiveField& f = receptiveField;
    std::string text = "cell " + CellTypeName(f.cellType) + "; centre " + ShortestRealText(f.centreX) + ", "
        + ShortestRealText(f.centreY) + " deg";
    if (f.cellType == OnCentreX || f.cellType == OffCentreX)
        return text + "; centre sigma " + ShortestRealText(f.centreSigma) + " deg; surround sigma "
            + ShortestRealText(f.surroundSigma) + " deg";
    text += "; orientation " + ShortestRealText(f.orientation) + " deg; spatial frequency "
        + ShortestRealText(f.spatialFrequency) + " c/deg; phase " + ShortestRealText(f.phase)
        + " deg; width " + ShortestRealText(f.width) + " deg; length " + ShortestRealText(f.length) + " deg";
    if (f.cellType == DirectionalSimple) text += "; drift speed " + ShortestRealText(f.driftSpeed) + " deg/s";
    return text;
}

void OpenTrial(const SpikeLogEvent& e)
{
    RecordedTrial trial;
    trial.start = Seconds(e.sample);
    trial.stimulus = TakeStimulusSnapshot();
    const TuningSweep& s = tuningSweep;
    if (s.phase == SweepPresenting && e.presentation == s.presentation && !s.values.empty()) {
        trial.field = s.field;
        trial.condition = s.values[static_cast<size_t>(s.step) % s.values.size()];
    }
    recording.trials.push_back(trial);
}

void CloseTrial(double time)
{
    if (recording.trials.empty() || !TrialOpen(recording.trials.back())) return;
    recording.trials.back().stop = std::max(time, recording.trials.back().start);
}

void NoteFrameAt(const NoiseSettings& settings, float centreXDeg, float centreYDeg, int64_t frame, double onset)
{
    NoiseRecord& n = recording.noise;
    if (!(n.settings == settings) || n.centreXDeg != centreXDeg || n.centreYDeg != centreYDeg) {
        n = NoiseRecord{settings, centreXDeg, centreYDeg, {}, {}};
    } else if (!n.frames.empty() && n.frames.back() == frame) {
        return;
    } else if (!n.onsets.empty() && n.onsets.back() >= onset) {
        n.frames.back() = frame;  // a frame taken over at the very start of the last (after a stretch)
        return;
    }
    n.frames.push_back(frame);
    n.onsets.push_back(onset);
}

void PushSpike(double time, int32_t trial)
{
    Recording& r = recording;
    if (r.spikes.size() == r.spikes.capacity()) {
        r.spikes.reserve(r.spikes.size() + kSpikeReserveStep);
        r.spikeTrials.reserve(r.spikes.size() + kSpikeReserveStep);
    }
    r.spikes.push_back(time);
    r.spikeTrials.push_back(trial);
}

// The pending stretch, once every event before stretchAt has been taken.
void PlaceStretch()
{
    Recording& r = recording;
    RecordedStretch s = std::move(r.stretch);
    r.stretch = RecordedStretch{};
    r.stretchPending = false;
    const double at = Seconds(r.stretchAt);
    const double length = static_cast<double>(s.samples) / kRecordSampleRate;
    const bool open = !r.trials.empty() && TrialOpen(r.trials.back());
    const RecordedTrial before = open ? r.trials.back() : RecordedTrial{};
    CloseTrial(at);
    RecordedTrial own = before;
    if (!open) own.stimulus = TakeStimulusSnapshot(), own.stimulus.on = true;
    own.start = at, own.stop = at + length;
    r.trials.push_back(own);
    const auto trial = static_cast<int32_t>(r.trials.size());
    for (int64_t t : s.spikes) PushSpike(at + static_cast<double>(t) / kRecordSampleRate, trial);
    // The live frame shown at the stretch's start is shown again after it,
    // and the tick logs no new onset for it.
    const NoiseRecord& n = r.noise;
    const bool live = !n.frames.empty() && n.settings == s.settings && n.centreXDeg == s.centreXDeg
                      && n.centreYDeg == s.centreYDeg;
    const int64_t liveFrame = live ? n.frames.back() : -1;
    for (size_t i = 0; i < s.frames.size() && i < s.onsets.size(); ++i)
        NoteFrameAt(s.settings, s.centreXDeg, s.centreYDeg, s.frames[i], at + static_cast<double>(s.onsets[i]) / kRecordSampleRate);
    if (liveFrame >= 0) NoteFrameAt(s.settings, s.centreXDeg, s.centreYDeg, liveFrame, at + length);
    r.originSample -= s.samples;  // the clock moves on by the stretch
    r.lastSample = std::max(r.lastSample, r.stretchAt);
    if (open) r.trials.push_back(RecordedTrial{at + length, -1.0, before.stimulus, before.field, before.condition});
    r.any = true;
}

void Take(const SpikeLogEvent& e)
{
    Recording& r = recording;
    if (e.sample < r.originSample) return;
    if (r.stretchPending && e.sample >= r.stretchAt) PlaceStretch();
    switch (e.kind) {
    case LogSpikeEvent: {
        const bool inTrial = !r.trials.empty() && TrialOpen(r.trials.back());
        PushSpike(Seconds(e.sample), inTrial ? static_cast<int32_t>(r.trials.size()) : 0);
        break;
    }
    case LogStimulusOn: OpenTrial(e); break;
    case LogStimulusOff: CloseTrial(Seconds(e.sample)); break;
    // The noise drawn now: a change of its settings since the tick starts the frames afresh.
    case LogNoiseFrame: NoteNoiseFrame(NoiseSettingsOfStimulus(), stimulus.stimX, stimulus.stimY, e.frame, e.sample); break;
    default: break;
    }
    r.any = true;
}

}  // namespace

bool operator==(const StimulusSnapshot& a, const StimulusSnapshot& b)
{
    return a.type == b.type && a.on == b.on && a.xDeg == b.xDeg && a.yDeg == b.yDeg && a.orientation == b.orientation
        && a.size == b.size && a.contrast == b.contrast && a.spatialFrequency == b.spatialFrequency
        && a.velocity == b.velocity && a.phase == b.phase;
}

StimulusSnapshot TakeStimulusSnapshot()
{
    StimulusSnapshot s;
    s.type = stimulus.stimulusType;
    s.on = StimulusPresent();
    s.xDeg = stimulus.stimX;
    s.yDeg = stimulus.stimY;
    s.orientation = stimulus.orientation;
    s.size = SizeOf(s.type);
    s.contrast = stimulus.contrastPercent;
    s.spatialFrequency = stimulus.gratingSf;
    s.velocity = stimulus.gratingVelocity;
    s.phase = stimulus.gratingPhase;
    return s;
}

const char* StimulusTypeName(int32_t type)
{
    switch (type) {
    case Spot: return "spot";
    case Annulus: return "annulus";
    case Grating: return "grating";
    case SparseNoise: return "sparse noise";
    case WhiteNoise: return "white noise";
    default: return "bar";
    }
}

std::string CellTypeName(int32_t cellType) { return CellTypeDescription(cellType); }

void StartRecording()
{
    Recording& r = recording;
    r.spikes.clear();
    r.spikeTrials.clear();
    r.trials.clear();
    r.changes.clear();
    r.noise = NoiseRecord{};
    r.stretch = RecordedStretch{};
    r.stretchPending = false;
    r.starts += 1;
    r.spikes.reserve(kSpikeReserveStep);
    r.spikeTrials.reserve(kSpikeReserveStep);
    r.reader = SpikeLogReaderFromNow();
    LogNoiseFrameAgain();  // the frame shown now, from the next tick on
    r.originSample = LoggedSliceStart();
    r.lastSample = r.originSample;
    r.lost = 0;
    r.any = false;
    r.on = true;
    DrainRecording();
}

void StopRecording()
{
    if (!recording.on) return;
    DrainRecording();
    if (recording.stretchPending) PlaceStretch();
    CloseTrial(RecordingSeconds());
    recording.on = false;
}

int32_t DrainRecording()
{
    Recording& r = recording;
    if (!r.on) return 0;
    static SpikeLogEvent events[kDrainBatch];
    const size_t before = r.spikes.size();
    // A slice begun at or after a pending stretch's place: every event
    // before the place is in the log now (LogSlice's fence pairs with this).
    const int64_t begun = LoggedSliceStart();
    std::atomic_thread_fence(std::memory_order_acquire);
    for (;;) {
        const int32_t n = DrainSpikeLog(r.reader, events, kDrainBatch);
        for (int32_t i = 0; i < n; ++i) Take(events[i]);
        if (n < kDrainBatch) break;
    }
    if (r.stretchPending && begun >= r.stretchAt) PlaceStretch();
    r.lost = r.reader.lost;
    r.lastSample = std::max(r.lastSample, LoggedSliceStart());
    const StimulusSnapshot now = TakeStimulusSnapshot();
    if (r.changes.empty() || !(r.changes.back().stimulus == now)) r.changes.push_back({RecordingSeconds(), now});
    r.cellType = receptiveField.cellType;
    r.model = ModelText();
    return static_cast<int32_t>(r.spikes.size() - before);
}

void NoteNoiseFrame(const NoiseSettings& settings, float centreXDeg, float centreYDeg, int64_t frame,
                    int64_t sliceStart)
{
    if (!recording.on || frame < 0) return;
    NoteFrameAt(settings, centreXDeg, centreYDeg, frame, Seconds(sliceStart));
}

void InsertStretch(RecordedStretch stretch)
{
    Recording& r = recording;
    if (!r.on || stretch.samples <= 0) return;
    DrainRecording();
    if (r.stretchPending) PlaceStretch();  // one before it still waiting goes first
    r.stretch = std::move(stretch);
    r.stretchAt = std::max(LoggedSliceLimit(), r.lastSample);
    r.stretchPending = true;
    DrainRecording();
}

double RecordingSeconds() { return Seconds(recording.lastSample); }

std::string RecordedModelText(bool fieldHidden)
{
    if (fieldHidden) return "receptive field hidden (hand plot in progress)";
    return recording.model;
}

double TrialStop(const Recording& r, const RecordedTrial& t)
{
    if (!TrialOpen(t)) return t.stop;
    const double end = static_cast<double>(r.lastSample - r.originSample) / kRecordSampleRate;
    return end > t.start ? end : t.start;
}
