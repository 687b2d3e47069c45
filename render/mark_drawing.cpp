// The scene thread draws the hand plot's marks over everything else on every
// tick.
#include "render/mark_drawing.h"

#include <algorithm>

#include "model/numeric.h"
#include "render/frame_buffer.h"
#include "stimulus/hand_plot_marks.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int32_t kMarkSize = 5;

}  // namespace

void DrawMarks()
{
    const int32_t count = std::min(marks.markCount.load(std::memory_order_acquire), kMaxMarks);
    if (count <= 0) return;
    SetColour(kWhite);
    const float degreesPerPixel = kDegreesPerPixel;
    for (int32_t i = 1; i <= count; ++i) {
        // Truncated, not rounded: a mark taken at column 3 comes back as
        // 2.9999998 and is drawn on column 2, as the plot has always shown it.
        const int32_t px = TruncInt(marks.markX[i] / degreesPerPixel);
        const int32_t py = TruncInt(marks.markY[i] / degreesPerPixel);
        const int32_t sign = marks.markSign[i];
        if (sign == 1) DrawCross(px, py, kMarkSize);
        else if (sign == -1) DrawDash(px, py, kMarkSize);
    }
}
