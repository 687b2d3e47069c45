#pragma once
#include "model/filters.h"

// The stimulus image: the signed contrast over the filter box, 500 x 500,
// element (row r, column k) for frame pixel (boxLeft + k, boxTop + r).
// Triple-buffered: the scene thread draws the back image and publishes it;
// the neuron tick takes the newest complete image.
// Each image carries whether it shows a grating, so the complex cell can
// weigh every history frame by what that frame showed, and the box it was
// drawn for: filters rebuilt between the scene tick and the neuron tick move
// the box, and the image read against the new one would show the stimulus
// where it is not.
float* StimulusImageBack();          // scene thread: cleared at the start of each tick
void ClearStimulusImageBack();       // scene thread: the back image to all zero
// Scene thread: hands over the back image, drawn for the box of drawnFor,
// with the noise frame it shows (-1 for none), so the map knows what the
// neuron saw.
void PublishStimulusImage(const RfFilterSet& drawnFor, bool grating = false, int64_t noiseFrame = -1);
const float* LatestStimulusImage();  // neuron tick
// Neuron tick, of the image LatestStimulusImage returned.
bool LatestStimulusImageIsGrating();
int64_t LatestStimulusImageNoiseFrame();
bool LatestStimulusImageFits(const RfFilterSet& set);  // drawn for the box of set
const float* BlankStimulusImage();  // all zero, for ever
void ResetStimulusImages();
