#pragma once
// How good a noise map is, measured against the field the program holds:
// the true field sampled on the noise grid at each lag, the correlation of a
// map with it, the lag with the most structure and how much the ON and OFF
// maps overlap (a simple cell's ON and OFF regions lie apart, a complex
// cell's coincide).
#include <cstdint>
#include <vector>

#include "mapping/spike_triggered_average.h"
#include "model/filters.h"

// Each square's sum of each spatial filter term over the pixels of the box
// the neuron reads of it (kMaxTerms numbers a square, row by row).
std::vector<double> SquareFilterSums(const RfFilterSet& set, const NoiseSettings& s, const NoiseGrid& grid);

// The linear field over the grid at `lag` ticks: what a frame of +1 at one
// square alone adds to the drive `lag` ticks later, from the set's own
// spatial and temporal factors (for a complex cell, the first of its two
// quadrature filters). Zero past the filters' 20 steps.
std::vector<double> TrueFieldOnGrid(const RfFilterSet& set, const NoiseSettings& s, const NoiseGrid& grid,
                                    int32_t lag);

// Pearson's correlation over the squares; 0 when either map is flat.
double MapCorrelation(const std::vector<double>& a, const std::vector<double>& b);
double MapVariance(const std::vector<double>& a);

// The lag whose ON and OFF maps vary most over the grid (their variances
// summed), so a complex cell's lag is found too, whose average is flat.
int32_t BestMapLag(const SpikeTriggeredAverage& m);
// The correlation of the ON map with the OFF map at a lag: near -1 where ON
// and OFF regions lie apart (a simple cell), near +1 where each square
// answers both (a complex cell).
double OnOffOverlap(const SpikeTriggeredAverage& m, int32_t lag);
