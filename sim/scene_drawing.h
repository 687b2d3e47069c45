#pragma once

// Drawing steps of the scene tick, in the order the tick calls them.
void DrawReceptiveField();
void RasteriseStimulus();
void DrawTraces();
