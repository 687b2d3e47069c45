// The filter box, the zero steps and the symmetries of the built filters.

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
