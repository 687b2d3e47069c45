// The hand plot: '+' and '-' leave ON and OFF marks at the stimulus position
// while the receptive field is hidden, and Enter reveals the field.
#include "stimulus/hand_plot_marks.h"

#include <algorithm>

#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"

HandPlotMarks marks;

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
    if (code == CharPlus || code == CharMinus) {
        if (receptiveField.displayMode == Hidden)
            AddMark(stimulus.stimX, stimulus.stimY, code == CharPlus ? 1 : -1);
        return false;
    }
    if (code != CharEnter) return false;
    if (marks.markCount.load(std::memory_order_relaxed) > 0 && receptiveField.displayMode == Hidden) {
        // Hidden is what the next new field returns to, ready for the next plot.
        receptiveField.savedDisplayMode = Hidden;
        receptiveField.displayMode = Revealed;
    }
    const int32_t type = receptiveField.cellType;
    return type == Simple || type == DirectionalSimple || type == Complex;
}
