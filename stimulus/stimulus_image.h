#pragma once
#include "model/filters.h"

// The stimulus image: the signed contrast over the filter box, 500 x 500,
// element (row r, column k) for frame pixel (boxLeft + k, boxTop + r).
// Triple-buffered: the scene thread draws the back image and publishes it;
// the neuron tick takes the newest complete image.
// Each image carries whether it shows a grating, so the complex cell can
// weigh every history frame by what that frame showed.
float* StimulusImageBack();          // scene thread: cleared at the start of each tick
void ClearStimulusImageBack();       // scene thread: the back image to all zero
void PublishStimulusImage(bool grating = false);  // scene thread
const float* LatestStimulusImage();  // neuron tick
bool LatestStimulusImageIsGrating();  // neuron tick: of the image LatestStimulusImage returned
void ResetStimulusImages();
