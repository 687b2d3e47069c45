#pragma once
#include <cstdint>

// One scene tick: size and clear the frame, draw the receptive field, the
// stimulus (and the stimulus image), the marks and the traces, publish the
// frame, with where it changed, and the image. Over an unchanged grey-scale
// map the clear and the map are replaced by putting the background back
// where the store's earlier frame had its stimulus and traces: the pixels
// are the same. Scene thread (or a test calling it directly).
// Returns whether it published a frame.
bool SceneTick();
// The same tick with the grating's drift and flicker phases taken at the
// given clock reading, so that a run of ticks can be reproduced exactly.
bool SceneTickAt(int64_t timeMs);

// The shell says whether anyone can see the frame. While not, ticks go on
// rasterising the stimulus image (the neuron and the traces carry on) but
// draw and publish no frame.
void SetSceneDrawing(bool on);

// Frame size the shell asks for (user-interface thread): stores for it are
// made here, and the scene thread applies it at its next tick.
void RequestFrameSize(int32_t width, int32_t height);
