// The inputs, box and step factors of a filter build.
#include <algorithm>
#include <cmath>

#include "model/filter_build.h"
#include "model/model_options.h"
#include "model/numeric.h"
#include "model/receptive_field.h"

namespace {

// Typed values reach the record unchecked up to the float range; 1e30 keeps
// every product of two of them finite, and NaN has no meaning anywhere.
constexpr float kLargestInput = 1e30f;
// Sigmas in pixels beyond this would overflow twice their square as int32;
// the box is capped at 249 long before that.
constexpr int32_t kLargestSigmaPixels = 30000;
// A centre a million pixels away is off any screen; the cap keeps the box
// arithmetic (centre +- 250) far from int32 overflow.
constexpr int32_t kLargestCentrePixel = 1000000;

float Tame(float v)
{
    if (std::isnan(v)) return 0.0f;
    return std::clamp(v, -kLargestInput, kLargestInput);
}

int32_t SigmaPixels(float sigma, float degreesPerPixel)
{
    return std::clamp(TruncInt(sigma / degreesPerPixel), -kLargestSigmaPixels, kLargestSigmaPixels);
}

}  // namespace

FilterInputs ReadFilterInputs()
{
    const ReceptiveField& rf = receptiveField;
    FilterInputs in;
    in.cellType = rf.cellType;
    in.centreX = Tame(rf.centreX);
    in.centreY = Tame(rf.centreY);
    in.orientation = Tame(rf.orientation);
    in.spatialFrequency = Tame(rf.spatialFrequency);
    in.phase = Tame(rf.phase);
    in.width = Tame(rf.width);
    in.length = Tame(rf.length);
    in.driftSpeed = Tame(rf.driftSpeed);
    in.centreSigma = Tame(rf.centreSigma);
    in.surroundSigma = Tame(rf.surroundSigma);
    in.surroundWeight = Tame(modelOptions.surroundWeight);
    in.retinalFastRate = Tame(modelOptions.retinalFastRate);
    in.retinalSlowRate = Tame(modelOptions.retinalSlowRate);
    in.corticalRate = Tame(modelOptions.corticalRate);
    in.degreesPerPixel = kDegreesPerPixel;
    return in;
}

int32_t TermCountFor(int32_t cellType)
{
    switch (cellType) {
    case OnCentreX:
    case OffCentreX:
    case Simple:
        return 1;
    case DirectionalSimple:  // carrier drift split by the angle-sum rule
    case Complex:            // the cos and sin halves of the quadrature pair
        return 2;
    default:
        return 0;
    }
}

FilterGeometry ComputeFilterGeometry(const FilterInputs& in)
{
    FilterGeometry g;
    const float dpp = in.degreesPerPixel;
    const int32_t sC = SigmaPixels(in.centreSigma, dpp);
    g.twoC2 = 2 * sC * sC;
    if (in.cellType == OnCentreX || in.cellType == OffCentreX) {
        const int32_t sS = SigmaPixels(in.surroundSigma, dpp);
        g.twoS2 = 2 * sS * sS;
    } else {
        const float m = in.length > in.width ? in.length : in.width;
        const float mPixels = m / dpp;
        g.twoS2 = std::max(0, TruncInt(2.0f * mPixels * mPixels));
    }
    // The box reaches where the wider Gaussian has fallen to 1/128 (ln 128).
    int32_t radius = TruncInt(std::sqrt(static_cast<float>(g.twoS2) * 4.852030f));
    if (radius > 250) radius = 249;
    g.radius = radius;
    g.centreColumn = std::clamp(TruncInt(in.centreX / dpp), -kLargestCentrePixel, kLargestCentrePixel);
    g.centreRow = std::clamp(TruncInt(in.centreY / dpp), -kLargestCentrePixel, kLargestCentrePixel);
    // Only R = 250 gives 501; its last column and row are left out.
    g.builtColumns = std::min(2 * radius + 1, kFilterSide);
    g.builtRows = g.builtColumns;
    return g;
}

float FiniteAngle(float radians)
{
    return std::isfinite(radians) ? radians : 0.0f;
}

void BuildTemporalFactors(const FilterInputs& in, RfFilterSet& set)
{
    for (int32_t k = 0; k < kMaxTerms; ++k) {
        for (int32_t s = 0; s < kFilterSteps; ++s) {
            set.linearTemporal[k][s] = 0.0f;
            set.energyATemporal[k][s] = 0.0f;
            set.energyBTemporal[k][s] = 0.0f;
        }
    }
    const float a = in.retinalFastRate, b = in.retinalSlowRate, kappa = in.corticalRate;
    const float drift = in.spatialFrequency * 0.12566371f * in.driftSpeed;  // radians per step
    for (int32_t t = 1; t <= kFilterSteps; ++t) {
        const int32_t s = t - 1;
        const float tau = 20.0f * static_cast<float>(s);  // delay in ms
        switch (in.cellType) {
        case OnCentreX:
        case OffCentreX:
            set.linearTemporal[0][s] = tau * (a * a * std::exp(-a * tau) - b * b * std::exp(-b * tau));
            break;
        case Simple: {
            const float kt = kappa * tau;
            const float kt2 = kt * kt, kt5 = kt2 * kt2 * kt, kt7 = kt5 * kt2;
            set.linearTemporal[0][s] = kappa * std::exp(-kt) * (kt5 / 120.0f - kt7 / 5040.0f);
            break;
        }
        case DirectionalSimple: {
            // E D cos(phi + psi + k p) = (E cos(phi + k p)) D cos psi - (E sin(phi + k p)) D sin psi
            const float twentyT = 20.0f * static_cast<float>(t);
            const float d = twentyT * std::exp(-twentyT / 60.0f);
            const float psi = FiniteAngle(static_cast<float>(s) * drift);
            set.linearTemporal[0][s] = d * std::cos(psi);
            set.linearTemporal[1][s] = -d * std::sin(psi);
            break;
        }
        case Complex: {
            const float u = 0.04f * tau;
            const float u2 = u * u, u3 = u2 * u, u5 = u3 * u2;
            const float decay = std::exp(-u);
            const float f5 = decay * u5 * (0.008333f - u2 / 5040.0f);
            const float s3 = decay * u3 * (0.1666f - u2 / 120.0f);
            // A = E (S3 cos a - F5 sin a); its quadrature partner
            // B = E (S3 sin a + F5 cos a), over the factors E cos a and E sin a.
            set.energyATemporal[0][s] = s3;
            set.energyATemporal[1][s] = -f5;
            set.energyBTemporal[0][s] = f5;
            set.energyBTemporal[1][s] = s3;
            break;
        }
        default:
            break;
        }
    }
}
