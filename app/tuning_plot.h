#pragma once
#include <vector>

#include "tuning/tuning_analysis.h"

class QChart;

// Fills a chart with a tuning curve: the means joined by a line, a marker at
// each, a vertical bar of one standard error either side where there were
// repeats, and axes named after the swept field with its units.
void DrawTuningCurve(QChart* chart, int32_t field, const std::vector<CurvePoint>& curve);
