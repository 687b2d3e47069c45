#pragma once
// Pieces of one filter build, shared by the files that make up BuildFilters.
// User-interface thread only; nothing here is seen by the worker threads
// until the finished set is published.
#include <cstdint>

#include "model/filters.h"

// A snapshot of everything a build reads, with non-finite and absurdly large
// values tamed so that no step can produce a NaN or an out-of-range integer.
struct FilterInputs {
    int32_t cellType = 0;
    float centreX = 0, centreY = 0;
    float orientation = 0, spatialFrequency = 0, phase = 0;
    float width = 0, length = 0, driftSpeed = 0;
    float centreSigma = 0, surroundSigma = 0;
    float surroundWeight = 0;
    float retinalFastRate = 0, retinalSlowRate = 0, corticalRate = 0;
    float degreesPerPixel = 0;
};
FilterInputs ReadFilterInputs();

// Sizes in whole pixels and the box of one build.
struct FilterGeometry {
    int32_t twoC2 = 0, twoS2 = 0;   // twice the squared sigmas (pixels^2)
    int32_t radius = 0;             // half size R of the box
    int32_t centreColumn = 0, centreRow = 0;
    int32_t builtColumns = 0, builtRows = 0;
};
FilterGeometry ComputeFilterGeometry(const FilterInputs& in);

// Number of spatial terms a cell type uses (0 for an unknown type).
int32_t TermCountFor(int32_t cellType);

// Step factors of every filter of the set (all kMaxTerms rows written).
void BuildTemporalFactors(const FilterInputs& in, RfFilterSet& set);
// Zeroes what the set's previous build wrote outside the new area.
void ClearStaleSpatial(RfFilterSet& set, int32_t terms, int32_t columns, int32_t rows);
// The spatial factors over the built columns and rows.
void BuildSpatialFactors(const FilterInputs& in, const FilterGeometry& g, RfFilterSet& set);
// absoluteSum and displayPeak from the finished factors.
void SummariseFilters(RfFilterSet& set);

// A phase argument that overflowed to infinity has no meaningful cosine;
// such a carrier is taken at phase 0 instead of spreading NaN.
float FiniteAngle(float radians);
