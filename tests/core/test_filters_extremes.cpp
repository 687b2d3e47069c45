// Typed extremes and sub-pixel sizes: the build stays finite and in range.
#include <limits>

#include "tests/core/test_support.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectSoundSet(const RfFilterSet& set, const char* what)
{
    const int32_t half = (set.boxRight - set.boxLeft) / 2;
    ASSERT_TRUE(std::isfinite(set.absoluteSum) && set.absoluteSum >= 0.0f && std::isfinite(set.displayPeak)) << what;
    ASSERT_TRUE(set.builtColumns >= 0 && set.builtColumns <= kFilterSide && set.builtRows <= kFilterSide) << what;
    ASSERT_TRUE(half >= 0 && half <= 250 && set.boxBottom - set.boxTop == set.boxRight - set.boxLeft) << what;
    auto finite = [](const float* v, int32_t n) { return std::all_of(v, v + n, [](float x) { return std::isfinite(x); }); };
    for (int32_t k = 0; k < kMaxTerms; ++k) {
        ASSERT_TRUE(finite(set.spatial[k], kFilterPixels)) << what << " term " << k;
        ASSERT_TRUE(finite(set.linearTemporal[k], kFilterSteps) && finite(set.energyATemporal[k], kFilterSteps) &&
                    finite(set.energyBTemporal[k], kFilterSteps)) << what << " term " << k;
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
        {"width -3", &ReceptiveField::width, -3.0f}, {"length inf", &ReceptiveField::length, kInf},
        {"length 0", &ReceptiveField::length, 0.0f}, {"sf 1e-30", &ReceptiveField::spatialFrequency, 1e-30f},
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
