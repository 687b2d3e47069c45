#pragma once
// The filters the unfactored way: whole 500 x 500 x 20 arrays, every value
// evaluated from its formula. The benchmarks measure the factored build and
// the factored neuron tick against this, and a test holds the factored build
// to it. Nothing of the program uses it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"

// Element (column i, row j, step t) at [t - 1][j - 1][i - 1]; everything
// outside the built columns and rows is 0.
struct PlainFilters {
    float linear[kFilterSteps][kFilterSide][kFilterSide];
    float energyA[kFilterSteps][kFilterSide][kFilterSide];
    float energyB[kFilterSteps][kFilterSide][kFilterSide];
    int32_t cellType = 0, columns = 0, rows = 0;
    double absoluteSum = 0.0;
    float displayPeak = 0.0f;
};
// 60 MB of zero pages; only the built area is ever touched.
inline PlainFilters plainFilters;

// Zeroes what the previous build wrote, unless this build overwrites exactly
// that area (the same extent and cell type): the arrays hold nothing stale,
// as the factored set does, without clearing 60 MB per build.
inline void ClearPreviousBuild(PlainFilters& f, int32_t cellType, int32_t columns, int32_t rows)
{
    if (f.cellType == cellType && f.columns == columns && f.rows == rows) return;
    for (auto* plane : {f.linear, f.energyA, f.energyB})
        for (int32_t t = 0; t < kFilterSteps; ++t)
            for (int32_t j = 0; j < f.rows; ++j) std::memset(plane[t][j], 0, sizeof(float) * f.columns);
    f.cellType = cellType, f.columns = columns, f.rows = rows;
}

// Builds the current receptive field's filters, one formula evaluation per
// element and step. Only what is fixed for the whole build (the box, the
// sine and cosine of the orientation, the scales, the rates of the model
// options) and what is fixed for one step (the temporal factors) is taken
// out of the loops. Normal fields only: a sigma below one pixel is not
// guarded.
inline void BuildPlainFilters(PlainFilters& f)
{
    const ReceptiveField& rf = receptiveField;
    const int32_t type = rf.cellType;
    const float dpp = kDegreesPerPixel, pi = 3.1415927f;
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
    int32_t radius = static_cast<int32_t>(std::sqrt(static_cast<float>(twoS2) * 4.852030f));
    if (radius > 250) radius = 249;
    const int32_t built = std::min(2 * radius + 1, kFilterSide);
    ClearPreviousBuild(f, type, built, built);

    const float kC = 1.0f / (pi * static_cast<float>(twoC2));
    const float kS = modelOptions.surroundWeight / (pi * static_cast<float>(twoS2));
    const float fC = static_cast<float>(twoC2), fS = static_cast<float>(twoS2);
    const float theta = rf.orientation * pi / 180.0f;
    const float sinT = std::sin(theta), cosT = std::cos(theta);
    // The complex cell's pair carries no phase of its own.
    const float phi = type == Complex ? 0.0f : rf.phase * 0.017453292f;
    const float k = 6.2831855f * rf.spatialFrequency;
    const float drift = rf.spatialFrequency * 0.12566371f * rf.driftSpeed;
    const float twoL2 = 2.0f * rf.length * rf.length, twoW2 = 2.0f * rf.width * rf.width;
    const float a = modelOptions.retinalFastRate, b = modelOptions.retinalSlowRate;
    const float kappa = modelOptions.corticalRate;
    const bool xCell = type == OnCentreX || type == OffCentreX;
    // The OFF-centre formula has the two terms swapped: the exact negative.
    const float sign = type == OffCentreX ? -1.0f : 1.0f;

    double absoluteSum = 0.0;
    float peak = 0.0f;
    for (int32_t t = 1; t <= kFilterSteps; ++t) {
        const float tau = 20.0f * static_cast<float>(t - 1);
        const float retinal = tau * (a * a * std::exp(-a * tau) - b * b * std::exp(-b * tau));
        const float kt = kappa * tau;
        const float cortical =
            kappa * std::exp(-kt) * (std::pow(kt, 5.0f) / 120.0f - std::pow(kt, 7.0f) / 5040.0f);
        const float u = 0.04f * tau;
        const float f5 = std::exp(-u) * std::pow(u, 5.0f) * (0.008333f - u * u / 5040.0f);
        const float s3 = std::exp(-u) * std::pow(u, 3.0f) * (0.1666f - u * u / 120.0f);
        const float twentyT = 20.0f * static_cast<float>(t);
        const float d = twentyT * std::exp(-twentyT / 60.0f);
        // The directional cell's carrier drifts by one step of psi per step.
        const float shift = type == DirectionalSimple ? phi + static_cast<float>(t - 1) * drift : phi;
        const float temporal = type == Simple ? cortical : d;
        for (int32_t j = 0; j < built; ++j) {
            const int32_t dy = j - radius;
            const float y = static_cast<float>(dy) * dpp;
            for (int32_t i = 0; i < built; ++i) {
                const int32_t dx = i - radius;
                float v = 0.0f;
                if (xCell) {
                    const float r2 = static_cast<float>(dx * dx + dy * dy);
                    v = sign * (retinal * kC * std::exp(-r2 / fC) - retinal * kS * std::exp(-r2 / fS));
                } else {
                    const float x = static_cast<float>(dx) * dpp;
                    const float p = x * sinT + y * cosT;  // across the bars
                    const float l = x * cosT - y * sinT;  // along the bars
                    const float e = std::exp(-l * l / twoL2 - p * p / twoW2);
                    if (type == Complex) {
                        const float c = std::cos(k * p), s = std::sin(k * p);
                        f.energyA[t - 1][j][i] = e * (s3 * c - f5 * s);
                        f.energyB[t - 1][j][i] = e * (s3 * s + f5 * c);
                        absoluteSum += std::fabs(e * s3 * c);
                        continue;
                    }
                    v = e * temporal * std::cos(shift + k * p);
                }
                f.linear[t - 1][j][i] = v;
                absoluteSum += std::fabs(v);
                if (t == 2) peak = std::max(peak, type == OnCentreX ? v : std::fabs(v));
            }
        }
    }
    f.absoluteSum = absoluteSum;
    f.displayPeak = peak;
}
