// Typed extremes and sub-pixel sizes: the build stays finite and in range.
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
