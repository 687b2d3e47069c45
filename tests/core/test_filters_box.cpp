// The filter box, the zero steps and the symmetries of the built filters.
#include <cmath>
#include <cstring>
#include <utility>

#include "tests/core/test_support.h"

TEST_F(FilterTest, BoxOfEachShape)
{
    const struct {
        const char* name;
        int32_t cellType;
        float centreSigma, surroundSigma, width, length;
        int32_t halfSize, builtSide;
    } cases[] = {
        {"default simple", Simple, 0.2f, 1.0f, 0.5f, 0.7f, 82, 165},
        {"default DS", DirectionalSimple, 0.2f, 1.0f, 0.5f, 0.7f, 82, 165},
        {"default complex", Complex, 0.2f, 1.0f, 0.5f, 0.7f, 82, 165},
        {"default ON", OnCentreX, 0.2f, 1.0f, 0.5f, 0.7f, 118, 237},
        {"default OFF", OffCentreX, 0.2f, 1.0f, 0.5f, 0.7f, 118, 237},
        {"surround 10 deg", OnCentreX, 0.2f, 10.0f, 0.5f, 0.7f, 249, 499},
        {"sS 80 px", OffCentreX, 0.2f, 80.5f / 38.0f, 0.5f, 0.7f, 249, 499},
        {"sS 81 px", OnCentreX, 0.2f, 81.5f / 38.0f, 0.5f, 0.7f, 249, 499},
        {"length 2.115", Simple, 0.2f, 1.0f, 0.5f, 2.115f, 250, 500},
        {"width 2.115 wins", Complex, 0.2f, 1.0f, 2.115f, 1.0f, 250, 500},
        {"length 2.13", DirectionalSimple, 0.2f, 1.0f, 0.5f, 2.13f, 249, 499},
    };
    for (const auto& c : cases) {
        receptiveField.centreSigma = c.centreSigma;
        receptiveField.surroundSigma = c.surroundSigma;
        receptiveField.width = c.width;
        receptiveField.length = c.length;
        const RfFilterSet& set = Build(c.cellType);
        const int32_t got[] = {set.boxLeft, set.boxRight, set.boxTop, set.boxBottom, set.builtColumns, set.builtRows};
        const int32_t want[] = {500 - c.halfSize, 500 + c.halfSize, 350 - c.halfSize,
                                350 + c.halfSize, c.builtSide,      c.builtSide};
        for (int k = 0; k < 6; ++k) EXPECT_EQ(got[k], want[k]) << c.name << " " << k;
    }
}

TEST_F(FilterTest, DefaultSimpleCellIsZeroOutsideItsBox)
{
    // Columns 418..582 and rows 268..432 around the centre pixel (500, 350).
    const RfFilterSet& set = Build(Simple);
    EXPECT_NE(LinearValue(set, 83, 83, 2), 0.0f);
    for (auto [i, j] : {std::pair{166, 83}, {83, 166}, {0, 83}}) EXPECT_EQ(LinearValue(set, i, j, 2), 0.0f);
    EXPECT_GT(set.absoluteSum, 0.0f);
    EXPECT_GT(set.displayPeak, 0.0f);
}

TEST_F(FilterTest, PresentStepIsZeroExceptForDirectionalCell)
{
    for (int32_t type : {OnCentreX, OffCentreX, Simple, Complex}) {
        const RfFilterSet& set = Build(type);
        for (int32_t j = 1; j <= kFilterSide; ++j)
            for (int32_t i = 1; i <= kFilterSide; ++i)
                ASSERT_TRUE(LinearValue(set, i, j, 1) == 0.0f && EnergyAValue(set, i, j, 1) == 0.0f &&
                            EnergyBValue(set, i, j, 1) == 0.0f) << type;
    }
    // D = 20 e^(-1/3) at step 1: the drifting cell answers at once.
    const RfFilterSet& ds = Build(DirectionalSimple);
    EXPECT_NE(LinearValue(ds, 83, 83, 1), 0.0f);
}

TEST_F(FilterTest, OffCentreIsExactNegativeOfOnCentre)
{
    for (float weight : {1.0f, 0.02f, 4.0f}) {
        modelOptions.surroundWeight = weight;
        Build(OnCentreX);
        const RfFilterSet& on = CurrentFilters();
        Build(OffCentreX);  // writes the other set
        const RfFilterSet& off = CurrentFilters();
        ASSERT_NE(&on, &off);
        ASSERT_EQ(on.builtColumns, off.builtColumns);
        for (int32_t t = 1; t <= kFilterSteps; ++t)
            for (int32_t j = 1; j <= on.builtRows; ++j)
                for (int32_t i = 1; i <= on.builtColumns; ++i)
                    ASSERT_EQ(LinearValue(off, i, j, t), -LinearValue(on, i, j, t)) << i << "," << j << "," << t;
        EXPECT_EQ(on.absoluteSum, off.absoluteSum);
        ResetFilters();
    }
}

TEST_F(FilterTest, DisplayPeakSignedForOnCentreMagnitudeForOthers)
{
    // With the default weight the centre dominates and both cells agree.
    Build(OnCentreX);
    const float onPeak = CurrentFilters().displayPeak;
    Build(OffCentreX);
    EXPECT_FLOAT_EQ(CurrentFilters().displayPeak, onPeak);
    EXPECT_FLOAT_EQ(onPeak, LinearValue(CurrentFilters(), 119, 119, 2) * -1.0f);

    // A surround four times as strong and nearly as narrow as the centre
    // makes the ON cell negative everywhere: its signed peak stays at 0 while
    // the OFF cell takes the largest magnitude.
    modelOptions.surroundWeight = 4.0f;
    receptiveField.centreSigma = 0.6f;
    receptiveField.surroundSigma = 1.0f;
    const RfFilterSet& on = Build(OnCentreX);
    ASSERT_LT(LinearValue(on, 119, 119, 2), 0.0f);
    EXPECT_EQ(on.displayPeak, 0.0f);
    const RfFilterSet& off = Build(OffCentreX);
    float largest = 0.0f;
    for (int32_t j = 1; j <= off.builtRows; ++j)
        for (int32_t i = 1; i <= off.builtColumns; ++i)
            largest = std::fmax(largest, std::fabs(LinearValue(off, i, j, 2)));
    EXPECT_GT(largest, 0.0f);
    EXPECT_EQ(off.displayPeak, largest);
}

TEST_F(FilterTest, ComplexCellKeepsPhase90AndNoPeak)
{
    receptiveField.phase = 30.0f;
    const RfFilterSet& set = Build(Complex);
    EXPECT_EQ(receptiveField.phase, 90.0f);
    EXPECT_EQ(set.displayPeak, 0.0f);
    EXPECT_GT(set.absoluteSum, 0.0f);
    for (int32_t t = 1; t <= kFilterSteps; ++t) EXPECT_EQ(LinearValue(set, 83, 83, t), 0.0f);
    EXPECT_NE(EnergyAValue(set, 83, 83, 5), 0.0f);
    EXPECT_NE(EnergyBValue(set, 90, 83, 5), 0.0f);
    // Other types keep the phase they were given.
    receptiveField.phase = 30.0f;
    Build(Simple);
    EXPECT_EQ(receptiveField.phase, 30.0f);
}

TEST_F(FilterTest, BuildingTwiceGivesIdenticalSets)
{
    // Each build writes the other set; the second one previously held a
    // different cell, so this also shows no stale value survives.
    for (int32_t type : {OnCentreX, OffCentreX, Simple, DirectionalSimple, Complex}) {
        receptiveField.length = 2.11f;  // a near-maximal box
        Build(type == OnCentreX ? Complex : OnCentreX);
        receptiveField.length = 0.7f;
        Build(type);
        const RfFilterSet& first = CurrentFilters();
        Build(type);
        const RfFilterSet& second = CurrentFilters();
        ASSERT_NE(&first, &second);
        EXPECT_EQ(second.generation, first.generation + 1);
        EXPECT_TRUE(first.absoluteSum == second.absoluteSum && first.displayPeak == second.displayPeak &&
                    first.boxLeft == second.boxLeft && first.termCount == second.termCount) << type;
        EXPECT_EQ(std::memcmp(first.spatial, second.spatial, sizeof first.spatial), 0) << type;
        EXPECT_EQ(std::memcmp(first.linearTemporal, second.linearTemporal, sizeof first.linearTemporal), 0);
        EXPECT_EQ(std::memcmp(first.energyATemporal, second.energyATemporal, sizeof first.energyATemporal), 0);
        EXPECT_EQ(std::memcmp(first.energyBTemporal, second.energyBTemporal, sizeof first.energyBTemporal), 0);
    }
}

TEST_F(FilterTest, NothingStaleOutsideASmallerBox)
{
    // A wide two-term field, then a small one-term field into the same set.
    receptiveField.length = 2.12f;
    Build(DirectionalSimple);
    Build(DirectionalSimple);
    receptiveField.length = 0.7f;
    Build(OnCentreX);
    const RfFilterSet& set = Build(Simple);
    for (int32_t k = 0; k < kMaxTerms; ++k)
        for (int32_t j = 0; j < kFilterSide; ++j)
            for (int32_t i = 0; i < kFilterSide; ++i)
                if (k >= set.termCount || i >= set.builtColumns || j >= set.builtRows) {
                    ASSERT_EQ(set.spatial[k][j * kFilterSide + i], 0.0f) << k << " " << i << "," << j;
                }
}

TEST_F(FilterTest, BuildAppliesTheCellTypeRates)
{
    const struct { int32_t type; float maxRate, spontaneous; int32_t order; } cases[] = {
        {Simple, 200.0f, 0.5f, 1}, {OnCentreX, 250.0f, 15.0f, 6}};
    for (const auto& c : cases) {
        Build(c.type);
        EXPECT_EQ(modelOptions.currentMaxRate, c.maxRate);
        EXPECT_EQ(modelOptions.currentSpontaneousRate, c.spontaneous);
        EXPECT_EQ(modelOptions.currentGammaOrder, c.order);
    }
}
