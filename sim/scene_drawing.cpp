#include "sim/scene_drawing.h"

void DrawReceptiveField(const RfFilterSet&) {}
void RasteriseStimulus(const RfFilterSet&) {}
void DrawTraces() {}
