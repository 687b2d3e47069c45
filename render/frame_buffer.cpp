#include "render/frame_buffer.h"

FrameBuffer frameBuffer;

uint32_t* SizeFrameBuffer(int32_t&, int32_t&) { return nullptr; }
void ClearFrame(uint32_t) {}
void SetColour(uint32_t) {}
void MoveTo(int32_t, int32_t) {}
void PlotPixel(int32_t, int32_t) {}
void LineTo(int32_t, int32_t) {}
void DrawCross(int32_t, int32_t, int32_t) {}
void DrawDash(int32_t, int32_t, int32_t) {}
void DrawRing(float) {}
uint32_t ReadPixel(int32_t, int32_t) { return 0; }
void PublishFrame() {}
PresentedFrame LatestFrame() { return {}; }
void ResetFrameBuffers() {}
