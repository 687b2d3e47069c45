#pragma once
// The contrast-response function labs fit to a contrast sweep's mean rates:
//   R(c) = Rmax * c^n / (c^n + C50^n) + R0
// C50 is the contrast at half the rise, n how steeply it rises; both are
// what a student compares between cell types. Fitted here by least squares
// with no library: Rmax and R0 enter linearly, so for any C50 and n they
// have a closed form, and only C50 and n are searched (a grid, then a
// pattern search from the grid's best).
#include <cstdint>
#include <vector>

#include "language/catalog.h"

// The name the figure's legend and the summary give the fitted curve.
constexpr const char* kContrastFitName = N_("Naka-Rushton fit");

struct NakaRushton {
    double rmax = 0.0;  // spikes/s above R0 at full saturation
    double c50 = 0.0;   // the contrast's unit (percent in a sweep)
    double n = 0.0;
    double r0 = 0.0;    // spikes/s at no contrast
};
// R(c); 0 or less is no contrast.
double NakaRushtonRate(const NakaRushton& f, double contrast);

// The least-squares fit to rates at contrasts, with Rmax and R0 at least 0,
// n from 0.5 to 10 and C50 from a quarter of the lowest positive contrast to
// four times the highest. Points with a contrast of 0 or less, or a value
// that is not a number, are left out. False (and fit untouched) with fewer
// than four distinct contrasts left.
bool FitNakaRushton(const std::vector<double>& contrasts, const std::vector<double>& rates, NakaRushton* fit);
