#include "sim/simulation_state.h"

SimulationState simulation;

namespace {
float images[3][kFilterPixels];
}

float* StimulusImageBack() { return images[0]; }
void PublishStimulusImage() {}
const float* LatestStimulusImage() { return images[0]; }
void ResetStimulusImages() {}
void ResetSimulation() {}
