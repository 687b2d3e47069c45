#include "sim/response.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "model/model_options.h"
#include "model/receptive_field.h"
#include "sim/response_history.h"
#include "sim/row_dot.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_image.h"

// Every filter is a sum of at most two space-time separable terms, so the
// drive of one history frame through step s is
//     sum_k temporal[k][s] * (spatial[k] . frame).
// The dot products of each history frame with the spatial terms (its
// projections) are kept in a ring beside the history: a tick projects only
// the frame it copies, and the 20-step sum is then 40 multiply-adds. When a
// different filter set is in force, all 20 projections are recomputed from
// the stored frames with the new box, so frames copied under an old box are
// read with the new box's indexing exactly as the plain sum reads them.
//
// The complex cell answers a grating with a fifth of its energy. The factor
// belongs to the frames, not to the moment: each history frame remembers
// whether it showed a grating and enters both quadrature sums weighted by
// 1/sqrt(5), so a history made only of grating frames gives exactly a fifth
// and a grating that goes off drains away smoothly with its frames.

namespace {

CopiedImage copied;

// What the stored projections were computed with. They are valid only for
// this set, generation and box.
struct ProjectionKey {
    const RfFilterSet* set = nullptr;
    uint32_t generation = 0;
    int32_t cellType = 0, termCount = 0;
    int32_t boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;
    float absoluteSum = 0.0f;  // guards against a reset set rebuilt with the same generation
    bool valid = false;
};
ProjectionKey projectionKey;
double projection[kHistoryFrames][kMaxTerms];  // frame slot - 1, term
bool frameIsGrating[kHistoryFrames] = {};      // frame slot - 1

constexpr double kGratingAmplitude = 0.44721359549995793;  // 1/sqrt(5): a fifth of the energy

int32_t BoxSpan(int32_t low, int32_t high)
{
    // In 64 bits: a box from a huge typed centre must not overflow.
    int64_t span = static_cast<int64_t>(high) - low;
    if (span <= 0) return 0;
    return span > kFilterSide ? kFilterSide : static_cast<int32_t>(span);
}

int32_t Terms(const RfFilterSet& set)
{
    if (set.termCount < 0) return 0;
    return set.termCount > kMaxTerms ? kMaxTerms : set.termCount;
}

bool KeyMatches(const RfFilterSet& set)
{
    const ProjectionKey& k = projectionKey;
    return k.valid && k.set == &set && k.generation == set.generation && k.cellType == set.cellType
        && k.termCount == set.termCount && k.boxLeft == set.boxLeft && k.boxTop == set.boxTop
        && k.boxRight == set.boxRight && k.boxBottom == set.boxBottom && k.absoluteSum == set.absoluteSum;
}

int32_t CurrentSlot()
{
    int32_t n = simulation.historySlot;
    return (n < 1 || n > kHistoryFrames) ? 1 : n;
}

// Projects a frame onto the spatial terms over W columns and H rows, and when
// dst is given copies the same rows there while they are in cache. Each
// row's sum is added in double.
template <int Terms>
void ProjectOntoTerms(const float* src, float* dst, const RfFilterSet& set, int32_t w, int32_t h,
                  double out[kMaxTerms])
{
    double total[kMaxTerms] = {};
    for (int32_t r = 0; r < h; ++r) {
        const int32_t row = r * kFilterSide;
        if (dst) std::memcpy(dst + row, src + row, sizeof(float) * w);
        total[0] += RowDot(set.spatial[0] + row, src + row, w);
        if constexpr (Terms > 1) total[1] += RowDot(set.spatial[1] + row, src + row, w);
    }
    out[0] = total[0];
    out[1] = total[1];
}

void Project(const float* src, float* dst, const RfFilterSet& set, int32_t w, int32_t h,
             double out[kMaxTerms])
{
    switch (Terms(set)) {
    case 2: ProjectOntoTerms<2>(src, dst, set, w, h, out); return;
    case 1: ProjectOntoTerms<1>(src, dst, set, w, h, out); return;
    default:
        if (dst)
            for (int32_t r = 0; r < h; ++r)
                std::memcpy(dst + r * kFilterSide, src + r * kFilterSide, sizeof(float) * w);
        out[0] = out[1] = 0.0;
    }
}

void RecomputeProjections(const RfFilterSet& set)
{
    const int32_t w = BoxSpan(set.boxLeft, set.boxRight);
    const int32_t h = BoxSpan(set.boxTop, set.boxBottom);
    for (int32_t f = 0; f < kHistoryFrames; ++f)
        Project(simulation.stimulusHistory[f], nullptr, set, w, h, projection[f]);
    projectionKey = {&set, set.generation, set.cellType, set.termCount,
                     set.boxLeft, set.boxTop, set.boxRight, set.boxBottom, set.absoluteSum, true};
}

// The history frame that step s (1..20) reads when frame n is the newest.
int32_t FrameOfStep(int32_t n, int32_t s)
{
    int32_t f = n - (s - 1);
    return f <= 0 ? f + kHistoryFrames : f;
}

// The weight of a history frame in the complex cell's sums.
double EnergyWeight(int32_t frame)
{
    return frameIsGrating[frame - 1] ? kGratingAmplitude : 1.0;
}

double FinishEnergy(double a, double b)
{
    return (a * a + b * b) / 1000.0;
}

float ScaledDrive(double drive)
{
    float d = static_cast<float>(drive) * modelOptions.currentMaxRate.load();
    return std::isnan(d) ? 0.0f : d;
}

void AdvanceHistorySlot(int32_t n)
{
    simulation.historySlot = n >= kHistoryFrames ? 1 : n + 1;
}

// The normalised drive d / absoluteSum, or 0 when it has no meaning: before
// the first build and in an empty build the sum is 0, and a drive that is
// not a number counts as no drive. Kept within a range whose squares stay
// finite.
float NormalisedDrive(const RfFilterSet& set, float drive)
{
    const float sum = set.absoluteSum;
    if (!(sum > 0.0f) || !std::isfinite(sum) || std::isnan(drive)) return 0.0f;
    float x = drive / sum;
    constexpr float kLimit = 1.0e9f;
    if (!(x < kLimit)) return x > 0.0f ? kLimit : 0.0f;
    return x > -kLimit ? x : -kLimit;
}

}  // namespace

CopiedImage LastCopiedImage()
{
    return copied;
}

void ForgetDriveProjections()
{
    projectionKey.valid = false;
    for (bool& grating : frameIsGrating) grating = false;
}

void CopyStimulusToHistory(const RfFilterSet& set)
{
    const float* image = LatestStimulusImage();
    // An image drawn for another box (the filters were rebuilt after the
    // scene tick drew it) would put the stimulus where it is not: this tick
    // reads a blank frame instead, and the next one an image drawn for the
    // new box.
    const bool fits = LatestStimulusImageFits(set);
    if (!fits) image = BlankStimulusImage();
    copied = {image, set.boxLeft, set.boxTop, fits ? LatestStimulusImageNoiseFrame() : -1};
    const int32_t w = BoxSpan(set.boxLeft, set.boxRight);
    const int32_t h = BoxSpan(set.boxTop, set.boxBottom);
    if (w <= 0 || h <= 0) return;
    const int32_t n = CurrentSlot();
    float* frame = simulation.stimulusHistory[n - 1];
    frameIsGrating[n - 1] = fits && LatestStimulusImageIsGrating();
    if (KeyMatches(set)) {
        Project(image, frame, set, w, h, projection[n - 1]);
    } else {
        // A new set: ComputeDrive recomputes every projection anyway.
        for (int32_t r = 0; r < h; ++r)
            std::memcpy(frame + r * kFilterSide, image + r * kFilterSide, sizeof(float) * w);
        projectionKey.valid = false;
    }
}

float ComputeDrive(const RfFilterSet& set)
{
    const int32_t n = CurrentSlot();
    const int32_t w = BoxSpan(set.boxLeft, set.boxRight);
    const int32_t h = BoxSpan(set.boxTop, set.boxBottom);
    double drive = 0.0;
    if (w > 0 && h > 0) {
        if (!KeyMatches(set)) RecomputeProjections(set);
        const int32_t terms = Terms(set);
        double a = 0.0, b = 0.0;
        for (int32_t s = 1; s <= kFilterSteps; ++s) {
            const int32_t f = FrameOfStep(n, s);
            const double* p = projection[f - 1];
            const double weight = EnergyWeight(f);
            for (int32_t k = 0; k < terms; ++k) {
                if (set.cellType == Complex) {
                    a += set.energyATemporal[k][s - 1] * p[k] * weight;
                    b += set.energyBTemporal[k][s - 1] * p[k] * weight;
                } else {
                    a += set.linearTemporal[k][s - 1] * p[k];
                }
            }
        }
        drive = set.cellType == Complex ? FinishEnergy(a, b) : a;
    }
    AdvanceHistorySlot(n);
    return ScaledDrive(drive);
}

float DriveToRate(const RfFilterSet& set, float drive)
{
    const float x = NormalisedDrive(set, drive);
    float spontaneous = modelOptions.currentSpontaneousRate;
    if (!std::isfinite(spontaneous)) spontaneous = 0.0f;
    if (!modelOptions.saturatingIO) {
        float rate = spontaneous + x;
        return std::isfinite(rate) ? rate : spontaneous;
    }
    const float rMax = modelOptions.saturationRate;
    const float c50 = modelOptions.halfMaxContrast;
    if (!(rMax > 0.0f) || !std::isfinite(rMax) || !std::isfinite(c50)) return 0.0f;
    // The offset is the input at which the function gives the spontaneous
    // rate. A spontaneous rate at or above the maximum has no such input; it
    // is held just below the maximum so the offset stays finite.
    constexpr float kHighestSpontaneousShare = 0.999f;
    float s = spontaneous;
    if (s < 0.0f) s = 0.0f;
    if (s > rMax * kHighestSpontaneousShare) s = rMax * kHighestSpontaneousShare;
    const float offset = c50 * std::sqrt(s / (rMax - s));
    const float input = x + offset;
    if (!(input > 0.0f)) return 0.0f;
    const float input2 = input * input;
    const float denominator = input2 + c50 * c50;
    if (!(denominator > 0.0f) || !std::isfinite(denominator)) return 0.0f;
    float rate = rMax * input2 / denominator;
    // Rounding can make a huge input give the maximum itself; the function
    // only approaches it.
    const float below = std::nextafter(rMax, 0.0f);
    if (!(rate < below)) rate = below;
    return rate;
}

float DriveToTraceValue(const RfFilterSet& set, float drive)
{
    // The divisor is the X cells' gain for every type, so a cortical cell's
    // linear drive tops out at 0.8 of the trace height.
    const float value = NormalisedDrive(set, drive) / 250.0f;
    return value < 1.0f ? value : 1.0f;
}
