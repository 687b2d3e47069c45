// Typed extremes and sub-pixel sizes: the build stays finite and in range.
#include <cmath>
#include <limits>

#include "tests/core/test_support.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectSoundSet(const RfFilterSet& set, const char* what)
{
    ASSERT_TRUE(std::isfinite(set.absoluteSum)) << what;
    ASSERT_TRUE(std::isfinite(set.displayPeak)) << what;
    ASSERT_GE(set.absoluteSum, 0.0f) << what;
    ASSERT_GE(set.builtColumns, 0) << what;
    ASSERT_LE(set.builtColumns, kFilterSide) << what;
    ASSERT_LE(set.builtRows, kFilterSide) << what;
    const int32_t half = (set.boxRight - set.boxLeft) / 2;
    ASSERT_GE(half, 0) << what;
    ASSERT_LE(half, 250) << what;
    ASSERT_EQ(set.boxBottom - set.boxTop, set.boxRight - set.boxLeft) << what;
    for (int32_t k = 0; k < kMaxTerms; ++k) {
        for (int32_t n = 0; n < kFilterPixels; ++n) {
            ASSERT_TRUE(std::isfinite(set.spatial[k][n])) << what << " term " << k << " element " << n;
        }
        for (int32_t s = 0; s < kFilterSteps; ++s) {
            ASSERT_TRUE(std::isfinite(set.linearTemporal[k][s])) << what;
            ASSERT_TRUE(std::isfinite(set.energyATemporal[k][s])) << what;
            ASSERT_TRUE(std::isfinite(set.energyBTemporal[k][s])) << what;
        }
    }
}

struct Extreme {
    const char* name;
    Relaxed<float> ReceptiveField::*field;
    float value;
};

}  // namespace

TEST_F(FilterTest, ExtremeValuesGiveFiniteFiltersAndBoundedBoxes)
{
    const Extreme cases[] = {
        {"centreX 1e30", &ReceptiveField::centreX, 1e30f}, {"centreX -1e30", &ReceptiveField::centreX, -1e30f},
        {"centreY inf", &ReceptiveField::centreY, kInf}, {"centreY nan", &ReceptiveField::centreY, kNaN},
        {"width 1e30", &ReceptiveField::width, 1e30f}, {"width 0", &ReceptiveField::width, 0.0f},
        {"width 1e-30", &ReceptiveField::width, 1e-30f}, {"width -3", &ReceptiveField::width, -3.0f},
        {"length 1e30", &ReceptiveField::length, 1e30f}, {"length 0", &ReceptiveField::length, 0.0f},
        {"length inf", &ReceptiveField::length, kInf}, {"sf 1e-30", &ReceptiveField::spatialFrequency, 1e-30f},
        {"sf 1e30", &ReceptiveField::spatialFrequency, 1e30f}, {"sf inf", &ReceptiveField::spatialFrequency, kInf},
        {"sf nan", &ReceptiveField::spatialFrequency, kNaN},
        {"orientation 1e30", &ReceptiveField::orientation, 1e30f}, {"phase -1e30", &ReceptiveField::phase, -1e30f},
        {"drift 1e30", &ReceptiveField::driftSpeed, 1e30f}, {"centreSigma 1e30", &ReceptiveField::centreSigma, 1e30f},
        {"centreSigma 1e-30", &ReceptiveField::centreSigma, 1e-30f},
        {"surroundSigma 1e30", &ReceptiveField::surroundSigma, 1e30f},
        {"surroundSigma 0", &ReceptiveField::surroundSigma, 0.0f},
        {"surroundSigma -1e30", &ReceptiveField::surroundSigma, -1e30f},
    };
    for (const Extreme& c : cases) {
        for (int32_t type : {OnCentreX, OffCentreX, Simple, DirectionalSimple, Complex}) {
            ResetReceptiveField(1000, 700);
            receptiveField.*c.field = c.value;
            const RfFilterSet& set = Build(type);
            ExpectSoundSet(set, c.name);
            if (HasFatalFailure()) return;
        }
    }
    // The surround weight comes from the options dialog.
    for (float weight : {1e30f, kInf, kNaN}) {
        ResetReceptiveField(1000, 700);
        modelOptions.surroundWeight = weight;
        ExpectSoundSet(Build(OnCentreX), "surround weight");
        if (HasFatalFailure()) return;
    }
}

TEST_F(FilterTest, CentreBelowOnePixelIsASinglePixel)
{
    // sC = 0: the centre Gaussian keeps its unit volume in the centre pixel.
    receptiveField.centreSigma = 0.01f;
    const RfFilterSet& set = Build(OnCentreX);
    ASSERT_EQ(HalfSize(set), 118);
    const float kS = 1.0f / (3.1415927f * 2888.0f);
    for (int32_t t = 2; t <= kFilterSteps; t += 3) {
        const float tau = 20.0f * (t - 1), a = 0.0625f, b = 1.0f / 110.0f;
        const float T = tau * (a * a * std::exp(-a * tau) - b * b * std::exp(-b * tau));
        EXPECT_NEAR(LinearValue(set, 119, 119, t), T * (1.0f - kS), 1e-6f * std::fabs(T)) << t;
        EXPECT_NEAR(LinearValue(set, 120, 119, t), -T * kS * std::exp(-1.0f / 2888.0f), 1e-6f * std::fabs(T * kS));
        EXPECT_NEAR(LinearValue(set, 117, 121, t), -T * kS * std::exp(-8.0f / 2888.0f), 1e-6f * std::fabs(T * kS));
    }
}

TEST_F(FilterTest, ZeroWidthGaborIsALineAlongTheBars)
{
    // Horizontal bars (orientation 0): the carrier varies along y, and a zero
    // width leaves only the centre row, shaped by the length.
    receptiveField.orientation = 0.0f;
    receptiveField.phase = 0.0f;
    receptiveField.width = 0.0f;
    const RfFilterSet& set = Build(Simple);
    const int32_t centre = HalfSize(set) + 1;
    int32_t nonZero = 0;
    for (int32_t j = 1; j <= set.builtRows; ++j) {
        for (int32_t i = 1; i <= set.builtColumns; ++i) {
            const float v = LinearValue(set, i, j, 5);
            ASSERT_TRUE(std::isfinite(v));
            if (v == 0.0f) continue;
            ++nonZero;
            EXPECT_EQ(j, centre) << i;
        }
    }
    EXPECT_GT(nonZero, 1);
    EXPECT_GT(set.absoluteSum, 0.0f);

    // Both sizes zero: a one-pixel field, cos(phase) times the temporal filter.
    receptiveField.length = 0.0f;
    const RfFilterSet& dot = Build(Simple);
    EXPECT_EQ(dot.builtColumns, 1);
    const float kappa = 1.0f / 15.0f, kt = kappa * 80.0f;
    const float T = kappa * std::exp(-kt) * (std::pow(kt, 5.0f) / 120 - std::pow(kt, 7.0f) / 5040);
    EXPECT_NEAR(LinearValue(dot, 1, 1, 5), T, 1e-6f * std::fabs(T));
}
