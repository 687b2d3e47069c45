// The hand plot: '+' and '-' leave ON and OFF marks at the stimulus position
// while the receptive field is hidden, Enter reveals the field, and the scene
// thread draws the marks over everything else on every tick.
#include "stimulus/hand_plot_marks.h"

#include <algorithm>

#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "render/number_format.h"
#include "stimulus/stimulus_state.h"

HandPlotMarks marks;

namespace {

constexpr int32_t kCharPlus = 43, kCharMinus = 45, kCharEnter = 13;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int32_t kMarkSize = 5;

}  // namespace

bool AddMark(float x, float y, int32_t sign)
{
    const int32_t count = marks.markCount.load(std::memory_order_relaxed);
    if (count >= kMaxMarks) return false;
    const int32_t n = count + 1;
    marks.markX[n] = x;
    marks.markY[n] = y;
    marks.markSign[n] = sign;
    // Raised only after the mark is complete: the scene thread acquires the
    // count and so never draws a mark half written.
    marks.markCount.store(n, std::memory_order_release);
    return true;
}

void ClearMarks() { marks.markCount.store(0, std::memory_order_release); }

bool OnCharacter(int32_t code)
{
    if (code == kCharPlus || code == kCharMinus) {
        if (receptiveField.displayMode == Hidden)
            AddMark(stimulus.stimX, stimulus.stimY, code == kCharPlus ? 1 : -1);
        return false;
    }
    if (code != kCharEnter) return false;
    if (marks.markCount.load(std::memory_order_relaxed) > 0 && receptiveField.displayMode == Hidden) {
        // Hidden is what the next new field returns to, ready for the next plot.
        receptiveField.savedDisplayMode = Hidden;
        receptiveField.displayMode = Revealed;
    }
    const int32_t type = receptiveField.cellType;
    return type == Simple || type == DirectionalSimple || type == Complex;
}

void DrawMarks()
{
    const int32_t count = std::min(marks.markCount.load(std::memory_order_acquire), kMaxMarks);
    if (count <= 0) return;
    SetColour(kWhite);
    const float degreesPerPixel = stimulus.degreesPerPixel;
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
