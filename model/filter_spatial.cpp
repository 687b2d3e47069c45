// Spatial factors of the filters: the difference of Gaussians of the X cells
// and the Gabor envelope with its carrier for the cortical cells.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/filter_build.h"
#include "model/receptive_field.h"

namespace {

constexpr float kPi = 3.1415927f;

// Scratch of the user-interface thread, sized once for the largest box.
struct SpatialScratch {
    float centreColumn[kFilterSide], centreRow[kFilterSide];
    float surroundColumn[kFilterSide], surroundRow[kFilterSide];
    float columnSinT[kFilterSide], columnCosT[kFilterSide];  // X sin(theta), X cos(theta)
    float rowSinT[kFilterSide], rowCosT[kFilterSide];        // Y sin(theta), Y cos(theta)
    float columnCarrierCos[kFilterSide], columnCarrierSin[kFilterSide];
    float rowCarrierCos[kFilterSide], rowCarrierSin[kFilterSide];
};
SpatialScratch scratch;

// e^(-d^2 / twoSigma2) for d = first .. first + count - 1. A sigma below one
// pixel (twoSigma2 = 0) is a single pixel at the centre: 1 at d = 0, else 0.
void GaussianProfile(float* out, int32_t first, int32_t count, int32_t twoSigma2)
{
    for (int32_t n = 0; n < count; ++n) {
        const int32_t d = first + n;
        if (twoSigma2 == 0) {
            out[n] = d == 0 ? 1.0f : 0.0f;
        } else {
            out[n] = std::exp(-static_cast<float>(d * d) / static_cast<float>(twoSigma2));
        }
    }
}

// Unit-volume weight of a Gaussian; a single-pixel Gaussian keeps its volume
// in that one pixel instead of becoming infinite.
float UnitVolume(int32_t twoSigma2)
{
    return twoSigma2 == 0 ? 1.0f : 1.0f / (kPi * static_cast<float>(twoSigma2));
}

void BuildDifferenceOfGaussians(const FilterInputs& in, const FilterGeometry& g, RfFilterSet& set)
{
    SpatialScratch& s = scratch;
    const int32_t first = -g.radius;  // dx of column 1 and dy of row 1
    GaussianProfile(s.centreColumn, first, g.builtColumns, g.twoC2);
    GaussianProfile(s.surroundColumn, first, g.builtColumns, g.twoS2);
    GaussianProfile(s.centreRow, first, g.builtRows, g.twoC2);
    GaussianProfile(s.surroundRow, first, g.builtRows, g.twoS2);
    const float kC = UnitVolume(g.twoC2);
    const float kS = in.surroundWeight * UnitVolume(g.twoS2);
    // The OFF-centre cell is the exact negative of the ON-centre cell.
    const float sign = in.cellType == OffCentreX ? -1.0f : 1.0f;
    for (int32_t j = 0; j < g.builtRows; ++j) {
        float* row = set.spatial[0] + j * kFilterSide;
        const float c = kC * s.centreRow[j], su = kS * s.surroundRow[j];
        for (int32_t i = 0; i < g.builtColumns; ++i) {
            row[i] = sign * (c * s.centreColumn[i] - su * s.surroundColumn[i]);
        }
    }
}

// c2 / twoSigma2 for the envelope's exponent. A zero sigma (or one whose
// square underflows) is an envelope one pixel wide: 0 on its axis, infinite
// (a zero envelope) off it, never 0 / 0.
inline float EnvelopeTerm(float c2, float twoSigma2, bool degenerate)
{
    if (degenerate) return c2 == 0.0f ? 0.0f : std::numeric_limits<float>::infinity();
    return c2 / twoSigma2;
}

void BuildGabor(const FilterInputs& in, const FilterGeometry& g, RfFilterSet& set)
{
    SpatialScratch& s = scratch;
    const float dpp = in.degreesPerPixel;
    const float theta = in.orientation * kPi / 180.0f;
    const float sinT = std::sin(theta), cosT = std::cos(theta);
    const float k = 6.2831855f * in.spatialFrequency;
    // The complex cell's pair carries no phase of its own.
    const float phi = in.cellType == Complex ? 0.0f : in.phase * 0.017453292f;
    // phi + k p = (phi + k X sin(theta)) + (k Y cos(theta)): the carrier
    // splits into a column part and a row part, joined by the angle-sum rule.
    for (int32_t n = 0; n < g.builtColumns; ++n) {
        const float x = static_cast<float>(n - g.radius) * dpp;
        s.columnSinT[n] = x * sinT;
        s.columnCosT[n] = x * cosT;
        const float a = FiniteAngle(phi + k * s.columnSinT[n]);
        s.columnCarrierCos[n] = std::cos(a);
        s.columnCarrierSin[n] = std::sin(a);
    }
    for (int32_t n = 0; n < g.builtRows; ++n) {
        const float y = static_cast<float>(n - g.radius) * dpp;
        s.rowSinT[n] = y * sinT;
        s.rowCosT[n] = y * cosT;
        const float b = FiniteAngle(k * s.rowCosT[n]);
        s.rowCarrierCos[n] = std::cos(b);
        s.rowCarrierSin[n] = std::sin(b);
    }
    const float twoL2 = 2.0f * in.length * in.length;
    const float twoW2 = 2.0f * in.width * in.width;
    const bool flatL = !(twoL2 > 0.0f), flatW = !(twoW2 > 0.0f);
    const bool twoTerms = TermCountFor(in.cellType) == 2;
    for (int32_t j = 0; j < g.builtRows; ++j) {
        float* cosRow = set.spatial[0] + j * kFilterSide;
        float* sinRow = set.spatial[1] + j * kFilterSide;
        const float ys = s.rowSinT[j], yc = s.rowCosT[j];
        const float rc = s.rowCarrierCos[j], rs = s.rowCarrierSin[j];
        for (int32_t i = 0; i < g.builtColumns; ++i) {
            const float p = s.columnSinT[i] + yc;  // across the bars
            const float l = s.columnCosT[i] - ys;  // along the bars
            const float e = std::exp(-EnvelopeTerm(l * l, twoL2, flatL) - EnvelopeTerm(p * p, twoW2, flatW));
            const float cc = s.columnCarrierCos[i], cs = s.columnCarrierSin[i];
            cosRow[i] = e * (cc * rc - cs * rs);
            if (twoTerms) sinRow[i] = e * (cs * rc + cc * rs);
        }
    }
}

void ClearBlock(float* plane, int32_t firstColumn, int32_t lastColumn, int32_t firstRow, int32_t lastRow)
{
    if (firstColumn >= lastColumn) return;
    for (int32_t j = firstRow; j < lastRow; ++j) {
        std::memset(plane + j * kFilterSide + firstColumn, 0,
                    static_cast<size_t>(lastColumn - firstColumn) * sizeof(float));
    }
}

}  // namespace

void ClearStaleSpatial(RfFilterSet& set, int32_t terms, int32_t columns, int32_t rows)
{
    const int32_t oldColumns = std::clamp(set.builtColumns, 0, kFilterSide);
    const int32_t oldRows = std::clamp(set.builtRows, 0, kFilterSide);
    const int32_t oldTerms = std::clamp(set.termCount, 0, kMaxTerms);
    for (int32_t k = 0; k < oldTerms; ++k) {
        float* plane = set.spatial[k];
        if (k >= terms) {
            ClearBlock(plane, 0, oldColumns, 0, oldRows);
            continue;
        }
        // Right of the new area within its rows, then every old row below it.
        ClearBlock(plane, columns, oldColumns, 0, std::min(rows, oldRows));
        ClearBlock(plane, 0, oldColumns, rows, oldRows);
    }
}

void BuildSpatialFactors(const FilterInputs& in, const FilterGeometry& g, RfFilterSet& set)
{
    switch (in.cellType) {
    case OnCentreX:
    case OffCentreX:
        BuildDifferenceOfGaussians(in, g, set);
        break;
    case Simple:
    case DirectionalSimple:
    case Complex:
        BuildGabor(in, g, set);
        break;
    default:
        break;  // an unknown type has no terms: the filters stay zero
    }
}
