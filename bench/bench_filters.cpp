// Filter builds against the plain reference: every exponential and cosine
// evaluated for every element of every step into full 500 x 500 x 20 arrays.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"

namespace {

constexpr int32_t kSide = 500, kSteps = 20;
float directLinear[kSteps][kSide][kSide];
float directEnergyB[kSteps][kSide][kSide];  // the complex cell's second filter

// Sets the receptive field so that the box has the requested half size:
// the defaults give 118 (X cells) and 82 (Gabor cells); 249 needs a surround
// sigma of 80 pixels or a length of 80.1 pixels.
bool Prepare(int32_t cellType, int32_t halfSize)
{
    ResetModelOptions();
    ResetReceptiveField(1000, 700);
    receptiveField.cellType = cellType;
    if (halfSize == 249) {
        receptiveField.surroundSigma = 80.5f / 38.0f;
        receptiveField.length = 2.108f;
    }
    ResetFilters();
    buildFilters();
    const RfFilterSet& set = CurrentFilters();
    return set.boxRight - set.boxLeft == 2 * halfSize;
}

// The formulas as they read, one element at a time.
float DirectBuild()
{
    const ReceptiveField& rf = receptiveField;
    const float dpp = 1.0f / 38.0f, pi = 3.1415927f;
    const int32_t type = rf.cellType;
    std::memset(directLinear, 0, sizeof directLinear);
    const int32_t sC = static_cast<int32_t>(rf.centreSigma / dpp);
    const int32_t twoC2 = 2 * sC * sC;
    int32_t twoS2 = 0;
    if (type == OnCentreX || type == OffCentreX) {
        const int32_t sS = static_cast<int32_t>(rf.surroundSigma / dpp);
        twoS2 = 2 * sS * sS;
    } else {
        const float m = rf.length > rf.width ? rf.length : rf.width;
        twoS2 = static_cast<int32_t>(2.0f * (m / dpp) * (m / dpp));
    }
    int32_t r = static_cast<int32_t>(std::sqrt(twoS2 * 4.852030f));
    if (r > 250) r = 249;
    const int32_t last = 2 * r < kSide - 1 ? 2 * r : kSide - 1;
    const float kC = 1.0f / (pi * twoC2), kS = modelOptions.surroundWeight / (pi * twoS2);
    const float theta = rf.orientation * pi / 180.0f, phi = rf.phase * 0.017453292f;
    const float k = 6.2831855f * rf.spatialFrequency;
    const float drift = rf.spatialFrequency * 0.12566371f * rf.driftSpeed;
    const float a = 0.0625f, b = 1.0f / 110.0f, kappa = 1.0f / 15.0f;
    float absoluteSum = 0.0f;
    for (int32_t t = 1; t <= kSteps; ++t) {
        const float tau = 20.0f * (t - 1);
        const float retinal = tau * (a * a * std::exp(-a * tau) - b * b * std::exp(-b * tau));
        const float kt = kappa * tau;
        const float cortical = kappa * std::exp(-kt) * (std::pow(kt, 5.0f) / 120 - std::pow(kt, 7.0f) / 5040);
        const float u = 0.04f * tau;
        const float f5 = std::exp(-u) * std::pow(u, 5.0f) * (0.008333f - u * u / 5040);
        const float s3 = std::exp(-u) * std::pow(u, 3.0f) * (0.1666f - u * u / 120);
        const float d = 20.0f * t * std::exp(-20.0f * t / 60), psi = (t - 1) * drift;
        for (int32_t j = 0; j <= last; ++j) {
            for (int32_t i = 0; i <= last; ++i) {
                const int32_t dx = i - r, dy = j - r;
                const float r2 = static_cast<float>(dx * dx + dy * dy);
                const float x = dx * dpp, y = dy * dpp;
                const float p = x * std::sin(theta) + y * std::cos(theta);
                const float l = x * std::cos(theta) - y * std::sin(theta);
                const float e = std::exp(-l * l / (2 * rf.length * rf.length) - p * p / (2 * rf.width * rf.width));
                float v = 0.0f;
                switch (type) {
                case OnCentreX:
                    v = retinal * kC * std::exp(-r2 / twoC2) - retinal * kS * std::exp(-r2 / twoS2);
                    break;
                case OffCentreX:
                    v = retinal * kS * std::exp(-r2 / twoS2) - retinal * kC * std::exp(-r2 / twoC2);
                    break;
                case Simple:
                    v = e * cortical * std::cos(phi + k * p);
                    break;
                case DirectionalSimple:
                    v = e * d * std::cos(phi + psi + k * p);
                    break;
                default: {
                    const float alpha = k * p;
                    v = e * (s3 * std::cos(alpha) - f5 * std::sin(alpha));
                    directEnergyB[t - 1][j][i] = e * (s3 * std::sin(alpha) + f5 * std::cos(alpha));
                    absoluteSum += std::fabs(e * s3 * std::cos(alpha));
                    break;
                }
                }
                directLinear[t - 1][j][i] = v;
                if (type != Complex) absoluteSum += std::fabs(v);
            }
        }
    }
    return absoluteSum;
}

void BM_BuildFilters(benchmark::State& state)
{
    const int32_t type = static_cast<int32_t>(state.range(0)), half = static_cast<int32_t>(state.range(1));
    if (!Prepare(type, half)) {
        state.SkipWithError("box of the wrong size");
        return;
    }
    for (auto _ : state) {
        buildFilters();
        benchmark::DoNotOptimize(CurrentFilters().absoluteSum);
    }
}

void BM_BuildFiltersDirect(benchmark::State& state)
{
    const int32_t type = static_cast<int32_t>(state.range(0)), half = static_cast<int32_t>(state.range(1));
    if (!Prepare(type, half)) {
        state.SkipWithError("box of the wrong size");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(DirectBuild());
        benchmark::ClobberMemory();
    }
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Args({OnCentreX, 118})->Args({OffCentreX, 118});
    b->Args({Simple, 82})->Args({DirectionalSimple, 82})->Args({Complex, 82});
    for (int32_t type = OnCentreX; type <= Complex; ++type) b->Args({type, 249});
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_BuildFilters)->Apply(Sizes);
BENCHMARK(BM_BuildFiltersDirect)->Apply(Sizes)->MinTime(0.5);
