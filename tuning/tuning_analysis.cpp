#include "tuning/tuning_analysis.h"

#include <algorithm>
#include <cmath>

#include "language/catalog.h"
#include "model/file_numbers.h"
#include "model/numeric.h"
#include "render/scene_drawing.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kTick = kTickSeconds;
constexpr double kNyquistHz = 25.0;  // half the 50 Hz tick rate

float HzOfPeriodMs(int64_t periodMs) { return 1000.0f / static_cast<float>(periodMs); }

// Circular distance between two orientations in degrees.
float AngleApart(float a, float b)
{
    float d = std::fmod(std::fabs(a - b), 360.0f);
    return d > 180.0f ? 360.0f - d : d;
}

// The point nearest to an orientation (the first of equals).
size_t NearestTo(const std::vector<CurvePoint>& curve, float angle)
{
    size_t best = 0;
    for (size_t i = 1; i < curve.size(); ++i)
        if (AngleApart(curve[i].value, angle) < AngleApart(curve[best].value, angle)) best = i;
    return best;
}

bool Index(float pref, float other, float* index)
{
    const float sum = pref + other;
    if (!(sum > 0.0f)) return false;
    *index = (pref - other) / sum;
    return std::isfinite(*index);
}

// Half-width at half the height above the curve's minimum, walking the circle
// from the preferred point each way and interpolating between samples.
bool HalfWidth(std::vector<CurvePoint> curve, float preferred, float* halfWidth)
{
    const size_t n = curve.size();
    if (n < 3) return false;
    std::sort(curve.begin(), curve.end(), [](const CurvePoint& a, const CurvePoint& b) { return a.value < b.value; });
    size_t peak = 0;
    float low = curve[0].meanRate;
    for (size_t i = 0; i < n; ++i) {
        if (curve[i].value == preferred) peak = i;
        low = std::min(low, curve[i].meanRate);
    }
    const float top = curve[peak].meanRate;
    if (!(top > low)) return false;
    const float half = low + (top - low) / 2.0f;
    float reach[2] = {0.0f, 0.0f};
    for (int32_t side = 0; side < 2; ++side) {
        const size_t stepIndex = side == 0 ? 1 : n - 1;  // +1 or -1 around the circle
        size_t previous = peak;
        float distance = 0.0f;
        for (size_t j = 1; j < n; ++j) {
            const size_t next = (previous + stepIndex) % n;
            const float gap = AngleApart(curve[previous].value, curve[next].value);
            const float a = curve[previous].meanRate, b = curve[next].meanRate;
            if (b <= half) {
                reach[side] = distance + gap * (a - half) / (a - b);
                break;
            }
            distance += gap;
            previous = next;
        }
    }
    *halfWidth = (reach[0] + reach[1]) / 2.0f;
    return std::isfinite(*halfWidth);
}

int32_t DecimalsOf(int32_t field)
{
    switch (field) {
    case FieldOrientation: return 1;
    case FieldContrast: return 1;
    default: return 2;
    }
}

}  // namespace

float StimulusTemporalHz()
{
    if (stimulus.stimulusType != Grating) return 0.0f;
    const int64_t drift = GratingDriftPeriodMs(stimulus.gratingVelocity, stimulus.gratingSf);
    if (drift > 0) return HzOfPeriodMs(drift);
    const int64_t modulation = ModulationPeriodMs(stimulus.modulationRate);
    return modulation > 0 ? HzOfPeriodMs(modulation) : 0.0f;
}

float MeanSpikeRate(const int32_t* counts, int32_t n)
{
    int64_t spikes = 0, seen = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (counts[i] < 0) continue;
        spikes += counts[i];
        ++seen;
    }
    return seen > 0 ? static_cast<float>(spikes / (seen * kTick)) : 0.0f;
}

Harmonics SpikeHarmonics(const int32_t* counts, int32_t n, float hz)
{
    Harmonics h;
    if (n <= 0) return h;
    const bool periodic = hz > 0.0f && hz < kNyquistHz;
    int32_t start = 0;
    if (periodic) {
        const double cycles = std::floor(n * kTick * hz);
        if (cycles >= 1.0) start = n - std::min(n, NearestInt(cycles / (hz * kTick)));
    }
    double re = 0.0, im = 0.0, spikes = 0.0;
    int64_t seen = 0;
    for (int32_t k = start; k < n; ++k) {
        if (counts[k] < 0) continue;
        const double angle = kTwoPi * hz * kTick * k;
        re += counts[k] * std::cos(angle);
        im -= counts[k] * std::sin(angle);
        spikes += counts[k];
        ++seen;
    }
    if (seen == 0) return h;
    const double span = seen * kTick;
    h.f0 = static_cast<float>(spikes / span);
    if (periodic) h.f1 = static_cast<float>(2.0 * std::sqrt(re * re + im * im) / span);
    return h;
}

std::vector<CurvePoint> AverageRepeats(const std::vector<TuningPoint>& points)
{
    std::vector<CurvePoint> curve;
    for (const TuningPoint& p : points) {
        auto it = std::find_if(curve.begin(), curve.end(), [&](const CurvePoint& c) { return c.value == p.value; });
        if (it == curve.end()) {
            curve.push_back(CurvePoint{});
            it = curve.end() - 1;
            it->value = p.value;
        }
        it->repeats += 1;
        it->meanRate += p.meanRate;
        it->peakRate += p.peakRate;
        if (p.hasHarmonics) {
            it->hasHarmonics = true;
            it->f0 += p.f0;
            it->f1 += p.f1;
        }
    }
    for (CurvePoint& c : curve) {
        const float n = static_cast<float>(c.repeats);
        c.meanRate /= n;
        c.peakRate /= n;
        c.f0 /= n;
        c.f1 /= n;
        if (c.repeats < 2) continue;
        double squares = 0.0;
        for (const TuningPoint& p : points)
            if (p.value == c.value) squares += (p.meanRate - c.meanRate) * static_cast<double>(p.meanRate - c.meanRate);
        c.semRate = static_cast<float>(std::sqrt(squares / (c.repeats - 1)) / std::sqrt(static_cast<double>(n)));
    }
    return curve;
}

TuningSummary SummariseCurve(int32_t field, const std::vector<CurvePoint>& curve)
{
    TuningSummary s;
    if (curve.empty()) return s;
    s.valid = true;
    size_t best = 0;
    for (size_t i = 1; i < curve.size(); ++i)
        if (curve[i].meanRate > curve[best].meanRate) best = i;
    const CurvePoint& pref = curve[best];
    s.preferred = pref.value;
    s.preferredRate = pref.meanRate;
    if (field == FieldOrientation) {
        s.hasHalfWidth = HalfWidth(curve, pref.value, &s.halfWidth);
        // A neighbour counts as orthogonal or opposite only if it lies nearer
        // to that direction than to the diagonal.
        auto near = [&](size_t i, float angle) { return i != best && AngleApart(curve[i].value, angle) < 45.0f; };
        const size_t plus = NearestTo(curve, pref.value + 90.0f), minus = NearestTo(curve, pref.value - 90.0f);
        if (near(plus, pref.value + 90.0f) && near(minus, pref.value - 90.0f)) {
            const float orth = (curve[plus].meanRate + curve[minus].meanRate) / 2.0f;
            s.hasOsi = Index(pref.meanRate, orth, &s.osi);
        }
        const size_t null = NearestTo(curve, pref.value + 180.0f);
        if (near(null, pref.value + 180.0f)) s.hasDsi = Index(pref.meanRate, curve[null].meanRate, &s.dsi);
    }
    if (pref.hasHarmonics && pref.f0 > 0.0f) {
        s.f1f0 = pref.f1 / pref.f0;
        s.hasF1F0 = std::isfinite(s.f1f0);
    }
    if (field == FieldContrast) {
        std::vector<double> contrasts, rates;
        for (const CurvePoint& c : curve) contrasts.push_back(c.value), rates.push_back(c.meanRate);
        s.hasContrastFit = FitNakaRushton(contrasts, rates, &s.contrastFit);
        s.c50Beyond = s.hasContrastFit && s.contrastFit.c50 > *std::max_element(contrasts.begin(), contrasts.end());
    }
    return s;
}

const char* ModulationLabel(float f1f0)
{
    return Tr(f1f0 > 1.0f ? N_("simple-like (F1/F0 > 1)") : N_("complex-like (F1/F0 < 1)"));
}

std::string FixedText(float value, int32_t decimals) { return LocalNumber(FixedRealText(value, decimals)); }

// Each clause is one template in the language in force, its numbers with
// the language's decimal mark; the clauses follow each other as a list.
std::string SummaryText(int32_t field, const TuningSummary& s)
{
    if (!s.valid) return Tr("No points measured yet.");
    // The field's name and its unit, from "orientation (deg)".
    std::string name = Tr(SweptFieldName(field));
    const size_t unit = name.find(" (");
    const std::string units = unit == std::string::npos ? "" : name.substr(unit + 2, name.size() - unit - 3);
    if (unit != std::string::npos) name.resize(unit);
    std::string text = TrArgs("Preferred %1 %2 %3 (%4 spikes/s)",
                              {name, FixedText(s.preferred, DecimalsOf(field)), units, FixedText(s.preferredRate, 1)});
    if (s.hasHalfWidth) text += TrArgs(", half-width at half height %1 deg", {FixedText(s.halfWidth, 1)});
    if (s.hasOsi) text += TrArgs(", OSI %1", {FixedText(s.osi, 2)});
    if (s.hasDsi) text += TrArgs(", DSI %1", {FixedText(s.dsi, 2)});
    if (s.hasF1F0) text += TrArgs(", F1/F0 %1 %2", {FixedText(s.f1f0, 2), ModulationLabel(s.f1f0)});
    if (s.hasContrastFit) {
        // Past the highest contrast shown C50 and Rmax are guesses beyond
        // the data: the text says only that the curve was still rising.
        const NakaRushton& f = s.contrastFit;
        const std::string n = FixedText(static_cast<float>(f.n), 2);
        if (s.c50Beyond)
            text += TrArgs(", %1: C50 above the highest contrast (still rising), n %2", {Tr(kContrastFitName), n});
        else
            text += TrArgs(", %1: C50 %2 %, n %3, Rmax %4 spikes/s, R0 %5 spikes/s",
                           {Tr(kContrastFitName), FixedText(static_cast<float>(f.c50), 1), n,
                            FixedText(static_cast<float>(f.rmax), 1), FixedText(static_cast<float>(f.r0), 1)});
    }
    return text;
}
