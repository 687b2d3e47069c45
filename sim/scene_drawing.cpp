#include "sim/scene_drawing.h"

void DrawReceptiveField() {}
void RasteriseStimulus() {}
void DrawTraces() {}
