#pragma once
#include <cstdint>

#include "model/filters.h"
#include "render/rf_drawing.h"

// Drawing steps of the scene tick, in the order the tick calls them. The
// filter set is the one the tick acquired for its whole duration.
void DrawTraces();

// Draws the stimulus into the stimulus image at a given reading of the
// millisecond clock (the grating's drift and flicker phases come from it), so
// that a frame can be reproduced.
// Returns the stimulus type it drew.
int32_t RasteriseStimulusAt(const RfFilterSet& filters, int64_t timeMs);
// The noise frame the last RasteriseStimulusAt drew, -1 when it drew no noise.
int64_t LastNoiseFrameDrawn();

// The grating's periods in whole milliseconds, the unit of the clock the
// raster reads: the drift period 1 / (velocity x spatial frequency), 0 when
// the grating does not drift; the contrast modulation's period, 0 with none.
// The tuning recorder measures its F1 at the frequencies these give.
int64_t GratingDriftPeriodMs(float velocity, float sf);
int64_t ModulationPeriodMs(float rate);

// Coverage tests and pixels the stimulus rasteriser has visited since the
// program started (scene thread): a measure of drawing work that tests hold
// to the size of the canvas and the sustained-input benchmark reports.
int64_t RasterisationWork();
