#include "stimulus/hand_plot_marks.h"

HandPlotMarks marks;

bool AddMark(float, float, int32_t) { return false; }
void ClearMarks() {}
bool OnCharacter(int32_t) { return false; }
void DrawMarks() {}
