#pragma once
#include <atomic>
#include <cstdint>

constexpr int32_t kFilterSide = 500;    // columns and rows of a filter
constexpr int32_t kFilterSteps = 20;    // time steps of 20 ms
constexpr int32_t kFilterPixels = kFilterSide * kFilterSide;
constexpr int32_t kMaxTerms = 2;

// One complete set of receptive-field filters.
//
// Every filter of the five cell types is a sum of at most two space-time
// separable terms, so a set keeps each filter as its factors instead of
// 500 x 500 x 20 values:
//     linear(i, j, t)  = sum_k spatial[k](i, j) * linearTemporal[k][t]
//     energyA(i, j, t) = sum_k spatial[k](i, j) * energyATemporal[k][t]
//     energyB(i, j, t) = sum_k spatial[k](i, j) * energyBTemporal[k][t]
// with i, j the 1-based column and row in the box and t the 1-based step
// (step 1 the present frame, step 20 the frame of 380 ms ago). spatial[k] is
// stored row-major, element (i, j) at (j - 1) * kFilterSide + (i - 1); every
// element outside the built columns and rows is 0.
struct RfFilterSet {
    int32_t cellType = 0;
    int32_t termCount = 0;  // spatial terms in use (0 before the first build)
    int32_t boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;
    int32_t builtColumns = 0, builtRows = 0;  // at most kFilterSide each
    float absoluteSum = 0.0f;  // sum of |value| over every built value
    float displayPeak = 0.0f;  // peak of step 2, scale of the grey-scale map
    uint32_t generation = 0;   // grows by one with every build
    float spatial[kMaxTerms][kFilterPixels];
    float linearTemporal[kMaxTerms][kFilterSteps];
    float energyATemporal[kMaxTerms][kFilterSteps];
    float energyBTemporal[kMaxTerms][kFilterSteps];
};

// Builds the filters of the current receptive field into the set that no
// reader holds and publishes it with one pointer swap, then applies the
// cell type's rates. User-interface thread only. For a complex cell it sets
// the receptive field's phase to 90.
void BuildFilters();

// Worker threads read the filters through a slot of their own: Acquire
// returns the published set and marks it in use until Release, so a build
// never writes into a set that a tick is reading and a tick never waits.
enum FilterReader : int32_t { SceneReader = 0, NeuronReader = 1, kFilterReaders = 2 };
const RfFilterSet& AcquireFilters(FilterReader reader);
void ReleaseFilters(FilterReader reader);

// The published set, for the user-interface thread (the only builder) and
// for single-threaded tests.
const RfFilterSet& CurrentFilters();

// Back to the start-up state: both sets empty (zero sum, zero box).
void ResetFilters();
