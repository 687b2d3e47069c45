#include "recording/recording_psth.h"

#include <algorithm>
#include <cmath>


namespace {

bool GroupBefore(const RecordedTrial& a, const RecordedTrial& b)
{
    if (a.field != b.field) return a.field < b.field;
    return a.condition < b.condition;
}

bool SameGroup(const RecordedTrial& a, const RecordedTrial& b)
{
    return a.field == b.field && (a.field < 0 || a.condition == b.condition);
}

}  // namespace

Raster BuildRaster(const Recording& r)
{
    Raster raster;
    std::vector<int32_t> order(r.trials.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
    std::stable_sort(order.begin(), order.end(), [&r](int32_t a, int32_t b) {
        return GroupBefore(r.trials[static_cast<size_t>(a)], r.trials[static_cast<size_t>(b)]);
    });
    double longest = 0.0;
    for (const RecordedTrial& t : r.trials) longest = std::max(longest, TrialStop(r, t) - t.start);
    raster.to = std::min(longest, kLongestRasterSeconds) + kRasterAfterSeconds;
    for (const int32_t index : order) {
        const RecordedTrial& t = r.trials[static_cast<size_t>(index)];
        RasterRow row;
        row.trial = index;
        row.duration = TrialStop(r, t) - t.start;
        const auto first = std::lower_bound(r.spikes.begin(), r.spikes.end(), t.start + raster.from);
        const auto last = std::lower_bound(first, r.spikes.end(), t.start + raster.to);
        for (auto s = first; s != last; ++s) row.spikes.push_back(*s - t.start);
        const int32_t rowIndex = static_cast<int32_t>(raster.rows.size());
        if (raster.groups.empty()
            || !SameGroup(r.trials[static_cast<size_t>(raster.rows.back().trial)], t))
            raster.groups.push_back({t.field, t.condition, rowIndex, 0});
        raster.groups.back().rows += 1;
        raster.rows.push_back(std::move(row));
    }
    return raster;
}

Psth BuildPsth(const Raster& raster, double binSeconds, int32_t firstRow, int32_t rows)
{
    Psth psth;
    psth.binSeconds = std::isfinite(binSeconds) ? std::clamp(binSeconds, kLeastBinSeconds, kMostBinSeconds)
                                                : kDefaultBinSeconds;
    psth.from = raster.from;
    const int32_t bins = std::max(1, static_cast<int32_t>(std::ceil((raster.to - raster.from) / psth.binSeconds)));
    psth.rate.assign(static_cast<size_t>(bins), 0.0f);
    const int32_t total = static_cast<int32_t>(raster.rows.size());
    firstRow = std::clamp(firstRow, 0, total);
    rows = std::clamp(rows, 0, total - firstRow);
    if (rows == 0) return psth;
    std::vector<double> counts(static_cast<size_t>(bins), 0.0);
    for (int32_t i = firstRow; i < firstRow + rows; ++i)
        for (const double s : raster.rows[static_cast<size_t>(i)].spikes) {
            const double bin = std::floor((s - psth.from) / psth.binSeconds);
            if (bin >= 0.0 && bin < bins) counts[static_cast<size_t>(bin)] += 1.0;
        }
    for (int32_t b = 0; b < bins; ++b)
        psth.rate[static_cast<size_t>(b)] = static_cast<float>(counts[static_cast<size_t>(b)] / (rows * psth.binSeconds));
    return psth;
}
