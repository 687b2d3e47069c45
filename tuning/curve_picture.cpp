#include "tuning/curve_picture.h"

#include <algorithm>
#include <cmath>

#include "tuning/tuning_form.h"

namespace {

constexpr double kLeft = 56, kRight = 16, kTop = 26, kBottom = 44;
constexpr uint32_t kInk = 0x000000, kCurve = 0x2a6fd0, kBar = 0x555555, kGrid = 0xe4e4e4, kFit = 0xc0501a;
constexpr int32_t kFitSegments = 64;

int32_t ParameterOf(int32_t field)
{
    switch (field) {
    case FieldSpatialFrequency: return SweepSpatialFrequency;
    case FieldContrast: return SweepContrast;
    case FieldTemporalFrequency: return SweepTemporalFrequency;
    case FieldOrientation: return SweepOrientation;
    default: return SweepSize;
    }
}

// The field's name as an axis title: "Orientation (deg)".
std::string ValueAxisTitle(int32_t field)
{
    std::string name = Tr(SweptFieldName(field));
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

}  // namespace

PlotPicture TuningCurvePicture(int32_t field, const std::vector<CurvePoint>& unsorted, double width, double height)
{
    PlotPicture p;
    p.width = width, p.height = height;
    std::vector<CurvePoint> curve = unsorted;
    std::sort(curve.begin(), curve.end(), [](const CurvePoint& a, const CurvePoint& b) { return a.value < b.value; });
    const bool logarithmic = SweptFieldIsLogarithmic(field);

    // The value axis: the whole circle for orientation; else the values
    // measured (or the first range offered) with a little room either side.
    const SweepDefaults d = DefaultsOfSweep(ParameterOf(field));
    double low = d.from, high = d.to;
    if (!curve.empty() && field != FieldOrientation) low = curve.front().value, high = curve.back().value;
    if (field != FieldOrientation) {
        if (logarithmic) low /= 1.25, high *= 1.25;
        else {
            const double pad = (high - low) * 0.05 + 0.01;
            low -= pad, high += pad;
        }
    }
    low = std::max(low, logarithmic ? 1e-3 : -1e6), high = std::max(high, low * 1.01 + 1e-3);
    double peak = 0.0;
    for (const CurvePoint& c : curve) peak = std::max(peak, static_cast<double>(c.meanRate + c.semRate));
    const double top = RateAxisTop(peak);

    const double x0 = kLeft, x1 = std::max(width - kRight, x0 + 10), y0 = kTop, y1 = std::max(height - kBottom, y0 + 10);
    auto xOf = [&](double v) {
        const double f = logarithmic ? std::log(v / low) / std::log(high / low) : (v - low) / (high - low);
        return x0 + f * (x1 - x0);
    };
    auto yOf = [&](double r) { return y1 - std::clamp(r / top, 0.0, 1.0) * (y1 - y0); };

    p.Text((x0 + x1) / 2, kTop / 2, TuningFormOf(SweepOrientation).plotTitle, kInk, AlignMiddle);
    const double rateStep = NiceStep(top, 4);
    for (const double r : TicksEvery(0.0, top, rateStep)) {
        p.Line(x0, yOf(r), x1, yOf(r), kGrid);
        p.Line(x0 - 4, yOf(r), x0, yOf(r), kInk);
        p.Text(x0 - 6, yOf(r), TickLabel(r, rateStep), kInk, AlignEnd);
    }
    const double valueStep = field == FieldOrientation ? 45.0 : NiceStep(high - low, 6);
    const std::vector<double> ticks = logarithmic ? LogTicks(low, high) : TicksEvery(low, high, valueStep);
    for (const double v : ticks) {
        p.Line(xOf(v), y1, xOf(v), y1 + 4, kInk);
        p.Text(xOf(v), y1 + 12, TickLabel(v, logarithmic ? v : valueStep), kInk, AlignMiddle);
    }
    p.Outline(x0, y0, x1, y1, kInk);
    p.Text((x0 + x1) / 2, height - 10, ValueAxisTitle(field), kInk, AlignMiddle);
    p.Text(14, (y0 + y1) / 2, Tr("Spike rate (spikes/s)"), kInk, AlignMiddle, true);

    for (const CurvePoint& c : curve)
        if (c.repeats >= 2)
            p.Line(xOf(c.value), yOf(std::max(0.0f, c.meanRate - c.semRate)), xOf(c.value), yOf(c.meanRate + c.semRate),
                   kBar);
    for (size_t i = 1; i < curve.size(); ++i)
        p.Line(xOf(curve[i - 1].value), yOf(curve[i - 1].meanRate), xOf(curve[i].value), yOf(curve[i].meanRate), kCurve);
    for (const CurvePoint& c : curve)
        p.Fill(xOf(c.value) - 3, yOf(c.meanRate) - 3, xOf(c.value) + 3, yOf(c.meanRate) + 3, kCurve);
    // The fitted contrast-response function across the whole axis, dashed
    // so that it is not taken for measured points, named in its colour.
    const TuningSummary summary = SummariseCurve(field, curve);
    if (summary.hasContrastFit) {
        auto valueAt = [&](int32_t i) { return low * std::pow(high / low, static_cast<double>(i) / kFitSegments); };
        for (int32_t i = 0; i < kFitSegments; ++i)
            p.Line(xOf(valueAt(i)), yOf(NakaRushtonRate(summary.contrastFit, valueAt(i))), xOf(valueAt(i + 1)),
                   yOf(NakaRushtonRate(summary.contrastFit, valueAt(i + 1))), kFit, true);
        p.Text(x1 - 6, y0 + 10, Tr(kContrastFitName), kFit, AlignEnd);
    }
    return p;
}
