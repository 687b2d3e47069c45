// The factored filters against a plain evaluation of the filter formulas.

#include "tests/core/test_support.h"

namespace {

struct Direct {
    float linear = 0.0f, energyA = 0.0f, energyB = 0.0f;
    float inPhase = 0.0f;  // E S3 cos(alpha), the complex cell's normalising term
};

// Element (i, j, t) of the current receptive field, every exponential and
// cosine evaluated on the spot.
Direct Evaluate(const RfFilterSet& set, int32_t i, int32_t j, int32_t t)
{
    const ReceptiveField& rf = receptiveField;
    const float dpp = 1.0f / 38.0f;
    const float pi = 3.1415927f;
    const int32_t cx = static_cast<int32_t>(rf.centreX / dpp);
    const int32_t cy = static_cast<int32_t>(rf.centreY / dpp);
    const int32_t dx = set.boxLeft + i - 1 - cx, dy = set.boxTop + j - 1 - cy;
    const float r2 = static_cast<float>(dx * dx + dy * dy);
    const float X = dx * dpp, Y = dy * dpp;
    const float theta = rf.orientation * pi / 180.0f;
    const float p = X * std::sin(theta) + Y * std::cos(theta);
    const float l = X * std::cos(theta) - Y * std::sin(theta);
    const float E = std::exp(-l * l / (2 * rf.length * rf.length) - p * p / (2 * rf.width * rf.width));
    const float phi = rf.phase * 0.017453292f;
    const float k = 6.2831855f * rf.spatialFrequency;
    const float tau = 20.0f * (t - 1);

    const int32_t sC = static_cast<int32_t>(rf.centreSigma / dpp);
    const int32_t sS = static_cast<int32_t>(rf.surroundSigma / dpp);
    const float twoC2 = 2.0f * sC * sC, twoS2 = 2.0f * sS * sS;
    const float kC = 1.0f / (pi * twoC2), kS = modelOptions.surroundWeight / (pi * twoS2);
    const float a = 0.0625f, b = 1.0f / 110.0f, kappa = 1.0f / 15.0f;
    const float retinal = tau * (a * a * std::exp(-a * tau) - b * b * std::exp(-b * tau));
    const float cortical =
        kappa * std::exp(-kappa * tau) * (std::pow(kappa * tau, 5.0f) / 120 - std::pow(kappa * tau, 7.0f) / 5040);
    const float u = 0.04f * tau;
    const float F5 = std::exp(-u) * std::pow(u, 5.0f) * (0.008333f - u * u / 5040);
    const float S3 = std::exp(-u) * std::pow(u, 3.0f) * (0.1666f - u * u / 120);
    const float D = (20.0f * t) * std::exp(-20.0f * t / 60);
    const float psi = (t - 1) * (rf.spatialFrequency * 0.12566371f * rf.driftSpeed);

    Direct d;
    switch (rf.cellType) {
    case OnCentreX:
        d.linear = retinal * kC * std::exp(-r2 / twoC2) - retinal * kS * std::exp(-r2 / twoS2);
        break;
    case OffCentreX:
        d.linear = retinal * kS * std::exp(-r2 / twoS2) - retinal * kC * std::exp(-r2 / twoC2);
        break;
    case Simple:
        d.linear = E * cortical * std::cos(phi + k * p);
        break;
    case DirectionalSimple:
        d.linear = E * D * std::cos(phi + psi + k * p);
        break;
    case Complex: {
        const float alpha = k * p;
        d.energyA = E * (S3 * std::cos(alpha) - F5 * std::sin(alpha));
        // The quadrature partner: A + iB = E (S3 + i F5) e^(i alpha).
        d.energyB = E * (S3 * std::sin(alpha) + F5 * std::cos(alpha));
        d.inPhase = E * S3 * std::cos(alpha);
        break;
    }
    }
    return d;
}

struct Shape {
    const char* name;
    float orientation, spatialFrequency, phase, width, length, driftSpeed, surroundSigma;
    float centreX, centreY;
};

const Shape kShapes[] = {
    {"defaults", 90.0f, 0.8f, 90.0f, 0.5f, 0.7f, 2.0f, 1.0f, 13.157895f, 9.210527f},
    {"oblique", 37.0f, 1.2f, 15.0f, 0.4f, 0.9f, -3.0f, 0.8f, 11.3f, 7.9f},
    {"wide box", 212.0f, 0.55f, 300.0f, 0.9f, 2.11f, 5.0f, 2.1f, 12.0f, 10.0f},
};

void ApplyShape(const Shape& s)
{
    receptiveField.orientation = s.orientation;
    receptiveField.spatialFrequency = s.spatialFrequency;
    receptiveField.phase = s.phase;
    receptiveField.width = s.width;
    receptiveField.length = s.length;
    receptiveField.driftSpeed = s.driftSpeed;
    receptiveField.surroundSigma = s.surroundSigma;
    receptiveField.centreX = s.centreX;
    receptiveField.centreY = s.centreY;
}

}  // namespace

TEST_F(FilterTest, FactoredValuesEqualTheFormulas)
{
    for (const Shape& shape : kShapes) {
        for (int32_t type : {OnCentreX, OffCentreX, Simple, DirectionalSimple, Complex}) {
            ApplyShape(shape);
            const RfFilterSet& set = Build(type);
            const int32_t n = set.builtColumns, c = (n + 1) / 2;
            const int32_t points[][2] = {{c, c}, {1, 1}, {n, n}, {1, n}, {c + 3, c - 7}, {c - 11, c + 2},
                                         {c / 2, c + c / 3}, {n - 5, c}, {c, 4}};
            std::vector<Direct> direct;
            float scale = 0.0f;
            for (int32_t t = 1; t <= kFilterSteps; ++t) {
                for (const auto& pt : points) {
                    const Direct d = Evaluate(set, pt[0], pt[1], t);
                    direct.push_back(d);
                    scale = std::fmax(scale, std::fmax(std::fabs(d.linear), std::fabs(d.energyA)));
                }
            }
            ASSERT_GT(scale, 0.0f) << shape.name << " type " << type;
            const float tolerance = 2e-5f * scale;
            size_t next = 0;
            for (int32_t t = 1; t <= kFilterSteps; ++t) {
                for (const auto& pt : points) {
                    const Direct& d = direct[next++];
                    const int32_t i = pt[0], j = pt[1];
                    EXPECT_NEAR(LinearValue(set, i, j, t), d.linear, tolerance)
                        << shape.name << " type " << type << " at " << i << "," << j << "," << t;
                    EXPECT_NEAR(EnergyAValue(set, i, j, t), d.energyA, tolerance)
                        << shape.name << " type " << type << " at " << i << "," << j << "," << t;
                    EXPECT_NEAR(EnergyBValue(set, i, j, t), d.energyB, tolerance)
                        << shape.name << " type " << type << " at " << i << "," << j << "," << t;
                }
            }
        }
    }
}
