#pragma once
#include <cstdint>

#include "model/filters.h"

// What the response keeps of the stimulus history beside the frames
// themselves, for the spikes and the stimulus marker of the same tick.

// The image the last CopyStimulusToHistory read and the box it was read
// with; the stimulus marker of the same tick looks at it.
struct CopiedImage {
    const float* image = nullptr;
    int32_t boxLeft = 0, boxTop = 0;
    int64_t noiseFrame = -1;  // the noise frame it shows, -1 for none
};
CopiedImage LastCopiedImage();

// Drops what is kept beside the history frames (their projections and
// grating marks), so the next drive recomputes them (the history was cleared).
void ForgetDriveProjections();
