// absoluteSum and displayPeak of a finished set.
#include <cmath>

#include "model/filter_build.h"
#include "model/receptive_field.h"

namespace {

constexpr int32_t kLanes = 8;  // independent partial sums, so the loops vectorise

// Sum of |plane| over the built area, in double across rows.
double SumOfMagnitudes(const float* plane, int32_t columns, int32_t rows)
{
    double total = 0.0;
    for (int32_t j = 0; j < rows; ++j) {
        const float* row = plane + j * kFilterSide;
        float lanes[kLanes] = {};
        int32_t i = 0;
        for (; i + kLanes <= columns; i += kLanes) {
            for (int32_t n = 0; n < kLanes; ++n) lanes[n] += std::fabs(row[i + n]);
        }
        float rest = 0.0f;
        for (; i < columns; ++i) rest += std::fabs(row[i]);
        double rowSum = rest;
        for (int32_t n = 0; n < kLanes; ++n) rowSum += lanes[n];
        total += rowSum;
    }
    return total;
}

// Sum of |a * ca + b * cb| over the built area: one step of a two-term filter.
double SumOfMagnitudes(const float* a, const float* b, float ca, float cb, int32_t columns, int32_t rows)
{
    double total = 0.0;
    for (int32_t j = 0; j < rows; ++j) {
        const float* ra = a + j * kFilterSide;
        const float* rb = b + j * kFilterSide;
        float lanes[kLanes] = {};
        int32_t i = 0;
        for (; i + kLanes <= columns; i += kLanes) {
            for (int32_t n = 0; n < kLanes; ++n) lanes[n] += std::fabs(ra[i + n] * ca + rb[i + n] * cb);
        }
        float rest = 0.0f;
        for (; i < columns; ++i) rest += std::fabs(ra[i] * ca + rb[i] * cb);
        double rowSum = rest;
        for (int32_t n = 0; n < kLanes; ++n) rowSum += lanes[n];
        total += rowSum;
    }
    return total;
}

double SumOfMagnitudes(const float* steps)
{
    double total = 0.0;
    for (int32_t s = 0; s < kFilterSteps; ++s) total += std::fabs(steps[s]);
    return total;
}

// The peak of one step's values: the largest signed value when signedPeak,
// otherwise the largest magnitude; never below 0.
float StepPeak(const RfFilterSet& set, const float (&temporal)[kMaxTerms][kFilterSteps], int32_t step,
               bool signedPeak)
{
    const float c0 = temporal[0][step], c1 = temporal[1][step];
    const bool twoTerms = set.termCount == 2;
    float peak = 0.0f;
    for (int32_t j = 0; j < set.builtRows; ++j) {
        const float* r0 = set.spatial[0] + j * kFilterSide;
        const float* r1 = set.spatial[1] + j * kFilterSide;
        for (int32_t i = 0; i < set.builtColumns; ++i) {
            float v = r0[i] * c0;
            if (twoTerms) v += r1[i] * c1;
            if (!signedPeak) v = std::fabs(v);
            peak = v > peak ? v : peak;
        }
    }
    return peak;
}

}  // namespace

void SummariseFilters(RfFilterSet& set)
{
    const int32_t columns = set.builtColumns, rows = set.builtRows;
    double absoluteSum = 0.0;
    float displayPeak = 0.0f;
    switch (set.cellType) {
    case OnCentreX:
    case OffCentreX:
    case Simple:
        // One separable term: the sum over space and time is a product.
        absoluteSum = SumOfMagnitudes(set.spatial[0], columns, rows) * SumOfMagnitudes(set.linearTemporal[0]);
        displayPeak = StepPeak(set, set.linearTemporal, 1, set.cellType == OnCentreX);
        break;
    case DirectionalSimple:
        for (int32_t s = 0; s < kFilterSteps; ++s) {
            absoluteSum += SumOfMagnitudes(set.spatial[0], set.spatial[1], set.linearTemporal[0][s],
                                           set.linearTemporal[1][s], columns, rows);
        }
        displayPeak = StepPeak(set, set.linearTemporal, 1, false);
        break;
    case Complex:
        // Normalised by the in-phase half of the first filter, |E S3 cos a|;
        // the map of a complex cell has no peak.
        absoluteSum = SumOfMagnitudes(set.spatial[0], columns, rows) * SumOfMagnitudes(set.energyATemporal[0]);
        break;
    default:
        break;
    }
    set.absoluteSum = static_cast<float>(absoluteSum);
    set.displayPeak = displayPeak;
}
