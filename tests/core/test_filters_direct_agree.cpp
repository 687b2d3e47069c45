// The factored filter build against the unfactored reference the benchmarks time it against: the same values,
// sum and peak within rounding.
#include <string>

#include "bench/plain_filters.h"
#include "tests/core/test_support.h"

TEST(FiltersDirectAgree, FactoredBuildEqualsThePlainFormulas)
{
    // Half-size fields keep the boxes, and so the plain builds, small.
    const struct { int32_t cellType; float size, orientation, phase, surroundWeight, rateScale; } cases[] = {
        {OnCentreX, 0.5f, 90, 90, 1.0f, 1.0f},         {OffCentreX, 0.5f, 90, 90, 0.7f, 1.3f},
        {Simple, 1.0f, 90, 90, 1.0f, 1.0f},            {Simple, 0.5f, 30, 40, 1.0f, 0.8f},
        {DirectionalSimple, 0.5f, 90, 90, 1.0f, 1.0f}, {DirectionalSimple, 0.5f, 125, 10, 1.0f, 1.0f},
        {Complex, 0.5f, 90, 90, 1.0f, 1.0f},           {Complex, 0.5f, 200, 90, 1.0f, 1.2f},
    };
    for (const auto& c : cases) {
        ResetEngineRecords(1000, 700);
        receptiveField.cellType = c.cellType, receptiveField.orientation = c.orientation, receptiveField.phase = c.phase;
        for (auto* field : {&receptiveField.centreSigma, &receptiveField.surroundSigma, &receptiveField.length, &receptiveField.width})
            *field = *field * c.size;
        modelOptions.surroundWeight = c.surroundWeight;
        for (auto* rate : {&modelOptions.retinalFastRate, &modelOptions.retinalSlowRate, &modelOptions.corticalRate})
            *rate = *rate * c.rateScale;
        BuildFilters(), BuildPlainFilters(plainFilters);
        const RfFilterSet& set = CurrentFilters();
        const PlainFilters& p = plainFilters;
        ASSERT_EQ(std::pair(set.builtColumns, set.builtRows), std::pair(p.columns, p.rows)) << "cell type " << c.cellType;
        const bool complex = c.cellType == Complex;
        float scale = 0.0f, error = 0.0f;
        for (int32_t t = 1; t <= kFilterSteps; ++t)
            for (int32_t j = 1; j <= p.rows; ++j)
                for (int32_t i = 1; i <= p.columns; ++i) {
                    const float a = complex ? p.energyA[t - 1][j - 1][i - 1] : p.linear[t - 1][j - 1][i - 1];
                    const float b = complex ? p.energyB[t - 1][j - 1][i - 1] : 0.0f;
                    scale = std::max({scale, std::fabs(a), std::fabs(b)});
                    error = std::max(error, std::fabs((complex ? EnergyAValue(set, i, j, t)
                                                               : LinearValue(set, i, j, t)) - a));
                    if (complex) error = std::max(error, std::fabs(EnergyBValue(set, i, j, t) - b));
                }
        const std::string what = "cell type " + std::to_string(c.cellType) + " at " + std::to_string(c.orientation);
        EXPECT_GT(scale, 0.0f) << what;
        EXPECT_LE(error, 2e-6f * scale) << what;
        EXPECT_NEAR(set.absoluteSum, p.absoluteSum, 1e-5 * p.absoluteSum) << what;
        EXPECT_NEAR(set.displayPeak, p.displayPeak, 1e-5f * p.displayPeak) << what;
    }
}
