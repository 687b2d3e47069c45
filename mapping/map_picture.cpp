#include "mapping/map_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "language/catalog.h"
#include "mapping/map_scores.h"
#include "model/file_numbers.h"
#include "model/filters.h"
#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr double kMargin = 8.0, kGap = 12.0;
constexpr uint32_t kInk = 0x000000, kFrame = 0x808080;

uint32_t Grey(double level)  // level in [-1, 1], 0 grey; not a number is grey
{
    const double g = level == level ? std::clamp(127.5 + 127.5 * level, 0.0, 255.0) : 127.5;
    const auto v = static_cast<uint32_t>(g);
    return v << 16 | v << 8 | v;
}

// One map's squares in a side x side box at (x, y), scaled so that the
// largest step from `centre` is black or white.
void Panel(PlotPicture& p, const NoiseSettings& s, const std::vector<double>& values, double centre, double x,
           double y, double side, const char* title)
{
    p.Text(x + side / 2.0, y - p.fontPixels, title, kInk, AlignMiddle);
    double reach = 0.0;
    for (const double v : values) reach = std::max(reach, std::fabs(v - centre));
    const double square = side / std::max(s.columns, s.rows);
    for (int32_t r = 0; r < s.rows; ++r) {
        for (int32_t c = 0; c < s.columns; ++c) {
            const size_t i = static_cast<size_t>(r) * static_cast<size_t>(s.columns) + static_cast<size_t>(c);
            const double v = i < values.size() && reach > 0.0 ? (values[i] - centre) / reach : 0.0;
            p.Fill(x + c * square, y + r * square, x + (c + 1) * square, y + (r + 1) * square, Grey(v));
        }
    }
    p.Outline(x, y, x + s.columns * square, y + s.rows * square, kFrame);
}

double Mean(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

}  // namespace

std::vector<double> ShownTrueField(const SpikeTriggeredAverage& m, int32_t lag)
{
    if (receptiveField.displayMode == Hidden || CheckNoiseSettings(m.settings) != NoiseFine) return {};
    const NoiseGrid grid = NoiseGridAt(m.settings, stimulus.mouseX, stimulus.mouseY);
    return TrueFieldOnGrid(CurrentFilters(), m.settings, grid, lag);
}

const char* MapNoticeText(const SpikeTriggeredAverage& m, bool notRecorded)
{
    if (notRecorded) return Tr(kMapStretchNotRecorded);
    return m.ticks == 0 && !IsNoise(stimulus.stimulusType) ? Tr(kMapWaiting) : "";
}

std::string MapCountsLine(const SpikeTriggeredAverage& m, int32_t lag, const std::vector<double>& trueField)
{
    // The point's numbers whatever the desktop's locale, then the catalog's mark.
    const std::string seconds = LocalNumber(FixedRealText(static_cast<float>(m.ticks) * kMapLagMs / 1000.0f, 1));
    const std::string spikes = std::to_string(m.spikes), lagMs = std::to_string(lag * kMapLagMs);
    if (trueField.empty()) return TrArgs("%1 spikes in %2 s of noise, lag %3 ms", {spikes, seconds, lagMs});
    const float correlation = static_cast<float>(MapCorrelation(StaMap(m, lag), trueField));
    return TrArgs("%1 spikes in %2 s of noise, lag %3 ms, correlation with the true field %4",
                  {spikes, seconds, lagMs, LocalNumber(FixedRealText(correlation, 2))});
}

PlotPicture MapPicture(const SpikeTriggeredAverage& m, int32_t lag, const std::vector<double>& trueField,
                       double width, double height)
{
    PlotPicture p;
    p.width = width, p.height = height;
    lag = std::clamp(lag, 0, kMapLags - 1);
    const NoiseSettings& s = m.settings;
    const double line = p.fontPixels + 10.0;
    p.Text(kMargin, height - line / 2.0, MapCountsLine(m, lag, trueField), kInk, AlignStart);
    if (CheckNoiseSettings(s) != NoiseFine) return p;

    struct Shown {
        std::vector<double> values;
        double centre;
        const char* title;
    };
    std::vector<Shown> panels;
    panels.push_back({StaMap(m, lag), 0.0, Tr(kMapAverageTitle)});
    if (s.kind == SparseNoiseKind) {
        // Spikes per tick about their mean, so a square that adds nothing is grey.
        std::vector<double> on = OnMap(m, lag), off = OffMap(m, lag);
        const double onMean = Mean(on), offMean = Mean(off);
        panels.push_back({std::move(on), onMean, Tr(kMapOnTitle)});
        panels.push_back({std::move(off), offMean, Tr(kMapOffTitle)});
    }
    if (!trueField.empty()) panels.push_back({trueField, 0.0, Tr(kMapTrueTitle)});

    const double n = static_cast<double>(panels.size());
    const double top = kMargin + 2.0 * p.fontPixels;
    const double side = std::min((width - 2.0 * kMargin - (n - 1.0) * kGap) / n, height - top - line - kMargin);
    if (!(side >= 4.0)) return p;
    for (size_t i = 0; i < panels.size(); ++i)
        Panel(p, s, panels[i].values, panels[i].centre, kMargin + static_cast<double>(i) * (side + kGap), top, side,
              panels[i].title);
    return p;
}
