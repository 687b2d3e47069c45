#include "recording/raster_picture.h"

#include <algorithm>
#include <cmath>

#include "model/file_numbers.h"

namespace {

constexpr double kLeft = 56, kRight = 12, kTop = 10, kBottom = 28, kGap = 24;
constexpr uint32_t kInk = 0x000000, kShade = 0xffecaa, kParting = 0x5a5a5a, kBars = 0x285aaa, kOnset = 0xc82828;

}  // namespace

std::string RasterGroupLabel(const RasterGroup& group)
{
    if (group.field < 0) return "";
    std::string text = FixedRealText(group.condition, 3);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return LocalNumber(text);
}

std::string RecordCountsText()
{
    const Recording& r = recording;
    if (!r.any && !r.on) return Tr("Not recording.");
    const std::string seconds = LocalNumber(FixedRealText(static_cast<float>(RecordingSeconds()), 1));
    const std::string spikes = std::to_string(r.spikes.size()), trials = std::to_string(r.trials.size());
    if (r.lost > 0)
        return TrArgs("%1 s recorded, %2 spikes, %3 trials (%4 events lost)",
                      {seconds, spikes, trials, std::to_string(r.lost)});
    return TrArgs("%1 s recorded, %2 spikes, %3 trials", {seconds, spikes, trials});
}

PlotPicture RasterPicture(const Raster& raster, const Psth& psth, double width, double height)
{
    PlotPicture p;
    p.width = width, p.height = height;
    const double plotWidth = std::max(width - kLeft - kRight, 10.0);
    const double rasterHeight = std::max(std::floor((height - kTop - kBottom - kGap) * 3 / 5), 10.0);
    const double psthTop = kTop + rasterHeight + kGap;
    const double psthHeight = std::max(height - psthTop - kBottom, 10.0);
    const double right = kLeft + plotWidth, psthBottom = psthTop + psthHeight;
    const double span = std::max(raster.to - raster.from, 1e-3);
    auto xOf = [&](double t) { return kLeft + (t - raster.from) / span * plotWidth; };
    const size_t rows = raster.rows.size();
    const double rowHeight = rows > 0 ? rasterHeight / static_cast<double>(rows) : 0.0;

    for (size_t i = 0; i < rows; ++i) {
        const RasterRow& row = raster.rows[i];
        const double y = kTop + static_cast<double>(i) * rowHeight;
        const double x0 = xOf(0.0), x1 = xOf(std::clamp(row.duration, 0.0, raster.to));
        p.Fill(x0, y, std::max(x1, x0 + 1.0), y + rowHeight, kShade);
        for (const double s : row.spikes) p.Line(xOf(s), y + rowHeight * 0.1, xOf(s), y + rowHeight * 0.9, kInk);
    }
    for (const RasterGroup& g : raster.groups) {
        const double y = kTop + g.firstRow * rowHeight;
        if (g.firstRow > 0) p.Line(kLeft, y, right, y, kParting);
        const std::string label = RasterGroupLabel(g);
        if (!label.empty()) p.Text(kLeft - 4, y + g.rows * rowHeight / 2, label, kParting, AlignEnd);
    }
    p.Outline(kLeft, kTop, right, kTop + rasterHeight, kInk);
    p.Text(kLeft - 4, kTop + 6, TrArgs("%1 trials", {std::to_string(rows)}), kParting, AlignEnd);

    // The PSTH in spikes/s.
    float peak = 0.0f;
    for (const float r : psth.rate) peak = std::max(peak, r);
    const double top = RateAxisTop(peak);
    for (size_t b = 0; b < psth.rate.size(); ++b) {
        const double t = psth.from + static_cast<double>(b) * psth.binSeconds;
        const double x0 = xOf(t), x1 = xOf(std::min(t + psth.binSeconds, raster.to));
        p.Fill(x0, psthBottom - psth.rate[b] / top * psthHeight, std::max(x1, x0 + 1.0), psthBottom, kBars);
    }
    p.Outline(kLeft, psthTop, right, psthBottom, kInk);
    const double rateStep = NiceStep(top, 4);
    for (const double r : TicksEvery(0.0, top, rateStep)) {
        const double y = psthBottom - r / top * psthHeight;
        p.Line(kLeft - 4, y, kLeft, y, kInk);
        p.Text(kLeft - 6, y, TickLabel(r, rateStep), kInk, AlignEnd);
    }
    p.Text(12, psthTop + psthHeight / 2, Tr("spikes/s"), kInk, AlignMiddle, true);
    const double timeStep = NiceStep(span, 6);
    for (const double t : TicksEvery(raster.from, raster.to, timeStep)) {
        p.Line(xOf(t), psthBottom, xOf(t), psthBottom + 4, kInk);
        p.Text(xOf(t), psthBottom + 11, TickLabel(t, timeStep), kInk, AlignMiddle);
    }
    p.Line(xOf(0.0), kTop, xOf(0.0), psthBottom, kOnset, true);
    p.Text(kLeft + plotWidth / 2, height - 7, Tr("time from stimulus onset (s)"), kInk, AlignMiddle);
    return p;
}
