#pragma once
#include <atomic>
#include <cstdint>

#include "model/relaxed.h"

constexpr int32_t kMaxMarks = 100;

// ON and OFF marks of a hand plot. The user-interface thread writes a new
// mark's fields first and then raises markCount with a release store; the
// scene thread loads the count with acquire and so only ever sees complete
// marks. Indices are 1-based, slot 0 unused.
struct HandPlotMarks {
    std::atomic<int32_t> markCount{0};
    Relaxed<float> markX[kMaxMarks + 1];
    Relaxed<float> markY[kMaxMarks + 1];
    Relaxed<int32_t> markSign[kMaxMarks + 1];
};
extern HandPlotMarks marks;

// Appends a mark (sign +1 ON, -1 OFF) at (x, y) degrees; false when full.
bool AddMark(float x, float y, int32_t sign);
void ClearMarks();
// The characters a hand plot answers.
enum PlotCharacter : int32_t { CharEnter = 13, CharPlus = 43, CharMinus = 45 };
// A PlotCharacter; other codes do nothing. Returns true when Enter asks for
// the feedback window (cortical cells); the shell opens it.
bool OnCharacter(int32_t code);
