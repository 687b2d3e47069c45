// The two running traces across the top of the picture, newest sample at the
// right: the response (20 pixels per unit above row 62, spike ticks as full
// strokes from row 42, whatever the drive) and the stimulus marker in rows 71
// and 72.
#include <algorithm>

#include "model/app_state.h"
#include "model/numeric.h"
#include "render/frame_buffer.h"
#include "render/scene_drawing.h"
#include "render/traces.h"

RunningTraces traces;

namespace {
constexpr int32_t kBaseline = 62;
constexpr int32_t kUnitHeight = 20;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int32_t kTraceBand = 4096;
}  // namespace

void DrawTraces()
{
    // Both scalars change under us (the window is resized, the neuron tick
    // advances): take each once and keep every slot inside the arrays.
    const int32_t width = std::min(traces.traceWidth.load(), kMaxTraceWidth);
    if (width < 2) return;
    const int32_t newest = std::clamp(traces.traceIndex.load(), 1, width);
    const int64_t right = int64_t{appState.clientWidth} - appState.margin;
    SetColour(kWhite);

    for (int32_t i = 1; i < width; ++i) {
        const int32_t x = static_cast<int32_t>(std::clamp<int64_t>(right - i, INT32_MIN, INT32_MAX));
        int32_t j = newest - i;
        if (j < 1) j += width;
        const float v = traces.responseTrace[j];
        if (traces.spikeTrace[j] != 0) {  // a tick that fired: a full-height stroke
            MoveTo(x, kBaseline - kUnitHeight);
            LineTo(x, kBaseline);
        } else if (i == 1) {
            MoveTo(x, kBaseline);
        } else {
            // A wild value (or a NaN, which gives 0) is held to a band around
            // the frame, so one step never walks thousands of unseen pixels.
            const int32_t y = TruncInt(static_cast<float>(kBaseline) - static_cast<float>(kUnitHeight) * v);
            LineTo(x, std::clamp(y, -kTraceBand, kTraceBand));
        }
    }

    for (int32_t i = 1; i < width; ++i) {
        int32_t j = newest - i;
        if (j < 1) j += width;
        if (traces.stimulusTrace[j] != 1) continue;
        const int32_t x = static_cast<int32_t>(std::clamp<int64_t>(right - i, INT32_MIN, INT32_MAX));
        PlotPixel(x, kBaseline + 9);
        PlotPixel(x, kBaseline + 10);
    }
}
