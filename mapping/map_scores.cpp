#include "mapping/map_scores.h"

#include <algorithm>
#include <cmath>

#include "model/receptive_field.h"

std::vector<double> SquareFilterSums(const RfFilterSet& set, const NoiseSettings& s, const NoiseGrid& grid)
{
    std::vector<double> sums(static_cast<size_t>(NoiseSquares(s)) * kMaxTerms, 0.0);
    const int32_t terms = std::clamp(set.termCount, 0, kMaxTerms);
    // The columns and rows the neuron reads: the box, as the tick copies it.
    const int64_t width = std::clamp<int64_t>(int64_t{set.boxRight} - set.boxLeft, 0, kFilterSide);
    const int64_t height = std::clamp<int64_t>(int64_t{set.boxBottom} - set.boxTop, 0, kFilterSide);
    for (int32_t r = 0; r < s.rows; ++r) {
        for (int32_t c = 0; c < s.columns; ++c) {
            const int64_t x0 = std::max<int64_t>(grid.left + c * grid.side - set.boxLeft, 0);
            const int64_t x1 = std::min<int64_t>(grid.left + (c + 1) * grid.side - set.boxLeft, width);
            const int64_t y0 = std::max<int64_t>(grid.top + r * grid.side - set.boxTop, 0);
            const int64_t y1 = std::min<int64_t>(grid.top + (r + 1) * grid.side - set.boxTop, height);
            double* out = &sums[static_cast<size_t>(r * s.columns + c) * kMaxTerms];
            for (int32_t k = 0; k < terms; ++k)
                for (int64_t y = y0; y < y1; ++y)
                    for (int64_t x = x0; x < x1; ++x) out[k] += set.spatial[k][y * kFilterSide + x];
        }
    }
    return sums;
}

std::vector<double> TrueFieldOnGrid(const RfFilterSet& set, const NoiseSettings& s, const NoiseGrid& grid,
                                    int32_t lag)
{
    if (CheckNoiseSettings(s) != NoiseFine) return {};
    std::vector<double> out(static_cast<size_t>(NoiseSquares(s)), 0.0);
    // Step 1 of a filter weighs the newest frame: lag 0.
    const int32_t step = lag + 1;
    const int32_t terms = std::clamp(set.termCount, 0, kMaxTerms);
    if (step < 1 || step > kFilterSteps || terms == 0) return out;
    const bool complex = set.cellType == Complex;
    const std::vector<double> sums = SquareFilterSums(set, s, grid);
    for (size_t i = 0; i < out.size(); ++i) {
        for (int32_t k = 0; k < terms; ++k) {
            const float weight = complex ? set.energyATemporal[k][step - 1] : set.linearTemporal[k][step - 1];
            out[i] += weight * sums[i * kMaxTerms + static_cast<size_t>(k)];
        }
    }
    return out;
}

double MapVariance(const std::vector<double>& a)
{
    if (a.empty()) return 0.0;
    double mean = 0.0, var = 0.0;
    for (double v : a) mean += v;
    mean /= static_cast<double>(a.size());
    for (double v : a) var += (v - mean) * (v - mean);
    return var / static_cast<double>(a.size());
}

double MapCorrelation(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size() || a.empty()) return 0.0;
    const double n = static_cast<double>(a.size());
    double ma = 0.0, mb = 0.0;
    for (size_t i = 0; i < a.size(); ++i) ma += a[i], mb += b[i];
    ma /= n, mb /= n;
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    // Flat to rounding: a map of one value everywhere has no shape to compare.
    if (!(aa > 1e-300) || !(bb > 1e-300)) return 0.0;
    return ab / std::sqrt(aa * bb);
}

int32_t BestMapLag(const SpikeTriggeredAverage& m)
{
    int32_t best = 0;
    double most = -1.0;
    for (int32_t lag = 0; lag < kMapLags; ++lag) {
        const double structure = MapVariance(OnMap(m, lag)) + MapVariance(OffMap(m, lag));
        if (structure > most) most = structure, best = lag;
    }
    return best;
}

double OnOffOverlap(const SpikeTriggeredAverage& m, int32_t lag)
{
    return MapCorrelation(OnMap(m, lag), OffMap(m, lag));
}
