#pragma once
#include <cstdint>

#include "model/filters.h"

// How the response functions learn which filter set the neuron tick holds.
// NeuronTickCompute acquires the set once and hands it over here for the
// whole tick; when no set is handed over (a test calling the functions one by
// one) they use the published set.
void UseTickFilters(const RfFilterSet* set);
const RfFilterSet& TickFilters();

// The image the last CopyStimulusToHistory read and the box it was read
// with; the stimulus marker of the same tick looks at it.
struct CopiedImage {
    const float* image = nullptr;
    int32_t boxLeft = 0, boxTop = 0;
};
CopiedImage LastCopiedImage();

// Drops what is kept beside the history frames (their projections and
// grating marks), so the next drive recomputes them (the history was cleared).
void ForgetDriveProjections();
