#include "tuning/tuning_sweep.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "language/catalog.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "sim/simulation_state.h"
#include "sim/spike_log.h"
#include "stimulus/stimulus_state.h"
#include "tuning/tuning_analysis.h"

TuningSweep tuningSweep;

namespace {

constexpr int32_t kMostPoints = 360;
constexpr int32_t kMostRepeats = 100;
constexpr int32_t kMostTicks = 3000;  // one minute per presentation or blank

float ClampFinite(float value, float low, float high, float fallback)
{
    if (!std::isfinite(value)) return fallback;
    return std::clamp(value, low, high);
}

int32_t ResolveField(int32_t parameter)
{
    switch (parameter) {
    case SweepSpatialFrequency: return FieldSpatialFrequency;
    case SweepContrast: return FieldContrast;
    case SweepTemporalFrequency: return FieldTemporalFrequency;
    case SweepSize:
        switch (stimulus.stimulusType) {
        case Spot:
        case Annulus: return FieldSpotRadius;
        case Grating: return FieldGratingRadius;
        default: return FieldBarLength;
        }
    default: return FieldOrientation;
    }
}

void Restore()
{
    TuningSweep& s = tuningSweep;
    if (s.centred) {
        stimulus.stimX = s.savedStimX;
        stimulus.stimY = s.savedStimY;
        stimulus.mouseX = s.savedMouseX;
        stimulus.mouseY = s.savedMouseY;
    }
    SetSweptField(s.field, s.savedValue);
    stimulus.stimulusType = s.savedType;
    stimulus.stimulusOn = s.savedOn;
    stimulus.stationaryMode = s.savedStationary;
}

// Between points nothing is shown, so the 400 ms the model remembers drains.
void ShowBlank()
{
    stimulus.stationaryMode = false;
    stimulus.stimulusOn = false;
}

void ShowPoint()
{
    TuningSweep& s = tuningSweep;
    const int32_t count = static_cast<int32_t>(s.values.size());
    SetSweptField(s.field, s.values[static_cast<size_t>(s.step % count)]);
    // Only a grating has a spatial frequency, and only a drifting one a
    // temporal frequency (the velocity written is positive).
    if (s.field == FieldSpatialFrequency || s.field == FieldTemporalFrequency) stimulus.stimulusType = Grating;
    // Placed again at every point: during a blank the pointer moves the
    // stimulus, and a new field may have been drawn elsewhere.
    if (s.centred) {
        stimulus.stimX = receptiveField.centreX.load();
        stimulus.stimY = receptiveField.centreY.load();
        stimulus.mouseX = TruncInt(stimulus.stimX / kDegreesPerPixel);
        stimulus.mouseY = TruncInt(stimulus.stimY / kDegreesPerPixel);
    }
    stimulus.stationaryMode = true;
    s.presentation = NewStimulusPresentation();
    s.temporalHz = StimulusTemporalHz();
    s.tickSpikes.assign(static_cast<size_t>(s.plan.presentTicks), -1);
    s.peakRate = 0.0f;
}

void FinishPoint()
{
    TuningSweep& s = tuningSweep;
    const int32_t count = static_cast<int32_t>(s.values.size());
    TuningPoint point;
    point.value = s.values[static_cast<size_t>(s.step % count)];
    point.repeat = s.step / count + 1;
    const int32_t* spikes = s.tickSpikes.data();
    const int32_t n = static_cast<int32_t>(s.tickSpikes.size());
    point.meanRate = MeanSpikeRate(spikes, n);
    point.peakRate = s.peakRate;
    if (s.temporalHz > 0.0f) {
        const Harmonics h = SpikeHarmonics(spikes, n, s.temporalHz);
        point.hasHarmonics = true;
        point.f0 = h.f0;
        point.f1 = h.f1;
    }
    s.points.push_back(point);
}

// Takes the ring entries of the ticks after lastTickRead into the point being
// presented. The writer may lap the ring while they are read: ticks it could
// have overwritten by the second look at its count count as lost. Having
// published tick n it may already be writing tick n + 1 into the slot of tick
// n + 1 - kTickRingSlots, so that tick is lost too.
void ReadTicks(int64_t newest)
{
    TuningSweep& s = tuningSweep;
    static int32_t spikes[kTickRingSlots];
    static float peaks[kTickRingSlots];
    const int64_t first = std::max(s.lastTickRead + 1, newest - kTickRingSlots + 1);
    const int64_t lapped = CopyTickRing(first, newest, [](size_t slot) {
        spikes[slot] = simulation.tickSpikes[slot];
        peaks[slot] = simulation.tickPeakRate[slot];
    });
    if (s.phase != SweepPresenting) return;
    for (int64_t t = std::max(first, lapped + 1); t <= newest; ++t) {
        const int64_t k = t - s.phaseStartTick - 1;
        if (k < 0 || k >= s.plan.presentTicks) continue;
        const int32_t slot = static_cast<int32_t>(t % kTickRingSlots);
        s.tickSpikes[static_cast<size_t>(k)] = std::max(spikes[slot], 0);
        if (std::isfinite(peaks[slot])) s.peakRate = std::max(s.peakRate, peaks[slot]);
    }
}

}  // namespace

SweepDefaults DefaultsOfSweep(int32_t parameter)
{
    // Contrast goes from 1 to 100 % in quarter decades, enough points for
    // the Naka-Rushton fit's four numbers. The temporal frequency stays
    // below 20 Hz: at 50 frames a second a faster grating no longer drifts
    // (at 25 Hz its stripes only swap).
    static constexpr SweepDefaults kRows[kSweepParameterCount] = {
        {N_("Orientation"), 0.0f, 360.0f, 12, 0.0f, 360.0f, false, 1.0f},
        {N_("Spatial frequency"), 0.2f, 6.4f, 6, 0.05f, 20.0f, true, 0.05f},
        {N_("Size (radius or bar length)"), 0.25f, 4.0f, 6, 0.02f, 30.0f, false, 0.01f},
        {N_("Contrast"), 1.0f, 100.0f, 9, 0.1f, 100.0f, true, 1.0f},
        {N_("Temporal frequency"), 0.5f, 16.0f, 6, 0.1f, 20.0f, true, 0.5f},
    };
    const bool known = parameter >= 0 && parameter < kSweepParameterCount;
    return kRows[known ? parameter : SweepOrientation];
}

SweepPlan OrientationPlan(float stepDegrees, int32_t repeats, int32_t presentTicks)
{
    SweepPlan plan;
    plan.parameter = SweepOrientation;
    plan.from = 0.0f;
    plan.to = 360.0f;
    const float step = ClampFinite(stepDegrees, 1.0f, 360.0f, 30.0f);
    plan.points = std::max(1, NearestInt(360.0 / step));
    plan.repeats = repeats;
    plan.presentTicks = presentTicks;
    return SanitisePlan(plan);
}

SweepPlan SanitisePlan(const SweepPlan& plan)
{
    SweepPlan p = plan;
    if (p.parameter < 0 || p.parameter >= kSweepParameterCount) p.parameter = SweepOrientation;
    const SweepDefaults range = DefaultsOfSweep(p.parameter);
    if (p.parameter == SweepOrientation) {
        p.from = ClampFinite(p.from, -1e6f, 1e6f, 0.0f);
        p.from = std::fmod(p.from, 360.0f);
        if (p.from < 0.0f) p.from += 360.0f;
        p.to = p.from + 360.0f;
    } else {
        p.from = ClampFinite(p.from, range.low, range.high, range.low);
        p.to = ClampFinite(p.to, range.low, range.high, range.high);
    }
    p.points = std::clamp(p.points, 1, kMostPoints);
    p.repeats = std::clamp(p.repeats, 1, kMostRepeats);
    p.presentTicks = std::clamp(p.presentTicks, 1, kMostTicks);
    p.blankTicks = std::clamp(p.blankTicks, 0, kMostTicks);
    return p;
}

std::vector<float> SweepValues(const SweepPlan& plan)
{
    const SweepPlan p = SanitisePlan(plan);
    const bool logarithmic = DefaultsOfSweep(p.parameter).logarithmic;
    std::vector<float> values;
    values.reserve(static_cast<size_t>(p.points));
    for (int32_t i = 0; i < p.points; ++i) {
        double v;
        if (p.parameter == SweepOrientation) {
            v = p.from + 360.0 * i / p.points;
            if (v >= 360.0) v -= 360.0;
        } else if (p.points == 1) {
            v = p.from;
        } else {
            const double f = static_cast<double>(i) / (p.points - 1);
            v = logarithmic ? p.from * std::pow(static_cast<double>(p.to) / p.from, f)
                            : p.from + (static_cast<double>(p.to) - p.from) * f;
        }
        values.push_back(static_cast<float>(v));
    }
    return values;
}

bool StartSweep(const SweepPlan& plan)
{
    TuningSweep& s = tuningSweep;
    if (s.phase != SweepIdle) return false;
    s.plan = SanitisePlan(plan);
    s.values = SweepValues(s.plan);
    s.field = ResolveField(s.plan.parameter);
    s.savedStationary = stimulus.stationaryMode;
    s.savedOn = stimulus.stimulusOn;
    s.savedType = stimulus.stimulusType;
    s.savedValue = SweptFieldValue(s.field);
    s.centred = s.plan.centreOnField && receptiveField.displayMode != Hidden;
    s.savedStimX = stimulus.stimX;
    s.savedStimY = stimulus.stimY;
    s.savedMouseX = stimulus.mouseX;
    s.savedMouseY = stimulus.mouseY;
    s.points.clear();
    s.points.reserve(static_cast<size_t>(s.plan.points) * static_cast<size_t>(s.plan.repeats));
    s.step = 0;
    s.lastTickRead = simulation.neuronTicks.load(std::memory_order_acquire);
    s.phaseStartTick = s.lastTickRead;
    s.phase = SweepBlank;
    ShowBlank();
    PollSweep();  // with no blank the first point starts at once
    return true;
}

int32_t PollSweep()
{
    TuningSweep& s = tuningSweep;
    if (s.phase == SweepIdle) return 0;
    const int64_t newest = simulation.neuronTicks.load(std::memory_order_acquire);
    ReadTicks(newest);
    s.lastTickRead = std::max(s.lastTickRead, newest);
    int32_t completed = 0;
    for (;;) {
        const int64_t elapsed = s.lastTickRead - s.phaseStartTick;
        if (s.phase == SweepBlank && elapsed >= s.plan.blankTicks) {
            s.phase = SweepPresenting;
            s.phaseStartTick = s.lastTickRead;
            ShowPoint();
        } else if (s.phase == SweepPresenting && elapsed >= s.plan.presentTicks) {
            FinishPoint();
            ++completed;
            if (++s.step >= SweepTotalSteps()) {
                s.phase = SweepIdle;
                Restore();
                break;
            }
            s.phase = SweepBlank;
            s.phaseStartTick = s.lastTickRead;
            ShowBlank();
        } else {
            break;
        }
    }
    return completed;
}

void StopSweep()
{
    if (tuningSweep.phase == SweepIdle) return;
    tuningSweep.phase = SweepIdle;
    Restore();
}

bool SweepRunning() { return tuningSweep.phase != SweepIdle; }

int32_t SweepTotalSteps()
{
    return static_cast<int32_t>(tuningSweep.values.size()) * tuningSweep.plan.repeats;
}

int64_t SweepTicksLeft()
{
    const TuningSweep& s = tuningSweep;
    if (s.phase == SweepIdle) return 0;
    const int64_t elapsed = s.lastTickRead - s.phaseStartTick;
    const int64_t perStep = static_cast<int64_t>(s.plan.blankTicks) + s.plan.presentTicks;
    int64_t left = static_cast<int64_t>(SweepTotalSteps() - s.step - 1) * perStep;
    if (s.phase == SweepBlank) left += s.plan.presentTicks + std::max<int64_t>(s.plan.blankTicks - elapsed, 0);
    else left += std::max<int64_t>(s.plan.presentTicks - elapsed, 0);
    return left;
}

void SetSweptField(int32_t field, float value)
{
    switch (field) {
    case FieldOrientation: stimulus.orientation = value; break;
    case FieldSpatialFrequency: stimulus.gratingSf = value; break;
    case FieldSpotRadius: stimulus.spotRadius = value; break;
    case FieldBarLength: stimulus.barLength = value; break;
    case FieldGratingRadius: stimulus.gratingRadius = value; break;
    case FieldContrast: stimulus.contrastPercent = value; break;
    case FieldTemporalFrequency:
        // The drift velocity that gives it at the grating's spatial frequency
        // (and back, when the sweep ends); a grating without stripes has no drift.
        if (stimulus.gratingSf > 0.0f) stimulus.gratingVelocity = value / stimulus.gratingSf;
        break;
    default: break;
    }
}

float SweptFieldValue(int32_t field)
{
    switch (field) {
    case FieldOrientation: return stimulus.orientation;
    case FieldSpatialFrequency: return stimulus.gratingSf;
    case FieldSpotRadius: return stimulus.spotRadius;
    case FieldBarLength: return stimulus.barLength;
    case FieldGratingRadius: return stimulus.gratingRadius;
    case FieldContrast: return stimulus.contrastPercent;
    case FieldTemporalFrequency: return stimulus.gratingVelocity * stimulus.gratingSf;
    default: return 0.0f;
    }
}

namespace {
const char* const kFieldNames[kSweptFieldCount] = {
    N_("orientation (deg)"),    N_("spatial frequency (c/deg)"), N_("radius (deg)"),
    N_("bar length (deg)"),     N_("grating radius (deg)"),      N_("contrast (%)"),
    N_("temporal frequency (Hz)"),
};
}  // namespace

const char* SweptFieldName(int32_t field)
{
    return field >= 0 && field < kSweptFieldCount ? kFieldNames[field] : "";
}

bool SweptFieldIsLogarithmic(int32_t field)
{
    return field == FieldSpatialFrequency || field == FieldContrast || field == FieldTemporalFrequency;
}
