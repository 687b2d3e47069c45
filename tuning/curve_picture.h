#pragma once
// The tuning curve as a figure both editions paint: the mean rate against
// the swept value joined by a line, a mark at each, a bar of one standard
// error either side where there were repeats, the axes with their ticks and
// names. A logarithmic field gets a logarithmic value axis.
#include <vector>

#include "tuning/plot_picture.h"
#include "tuning/tuning_analysis.h"

PlotPicture TuningCurvePicture(int32_t field, const std::vector<CurvePoint>& curve, double width, double height);
