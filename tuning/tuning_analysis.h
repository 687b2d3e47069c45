#pragma once
// What a tuning curve says: the mean and spread over repeats of each value,
// the first harmonic of a response to a moving grating, and the summary
// indices a student reports. Pure functions of the measured points.
#include <cstdint>
#include <string>
#include <vector>

#include "tuning/contrast_fit.h"
#include "tuning/tuning_sweep.h"

// The temporal frequency the stimulus record presents now, in hertz, as the
// rasteriser produces it: a drifting grating's whole-millisecond period, else
// a flickering grating's; 0 for any other stimulus or a static grating.
float StimulusTemporalHz();

// F0 and F1 of per-tick spike counts (entries below 0 are ticks that were not
// seen and are left out). The analysis window is the largest whole number of
// stimulus cycles that fits, taken from the end of the presentation, where
// the response has settled; shorter than one cycle, the whole presentation.
// A frequency at or above the tick rate's Nyquist limit gives F1 = 0.
struct Harmonics {
    float f0 = 0.0f;
    float f1 = 0.0f;
};
Harmonics SpikeHarmonics(const int32_t* counts, int32_t n, float hz);
// Spikes per second over all the ticks seen (0 when none were).
float MeanSpikeRate(const int32_t* counts, int32_t n);

// One value of the curve over its repeats.
struct CurvePoint {
    float value = 0.0f;
    int32_t repeats = 0;
    float meanRate = 0.0f;
    float semRate = 0.0f;   // standard error of the mean; 0 for one repeat
    float peakRate = 0.0f;  // mean over repeats
    bool hasHarmonics = false;
    float f0 = 0.0f, f1 = 0.0f;  // means over repeats
};
// Points grouped by value, in order of first appearance.
std::vector<CurvePoint> AverageRepeats(const std::vector<TuningPoint>& points);

struct TuningSummary {
    bool valid = false;  // at least one point
    float preferred = 0.0f;
    float preferredRate = 0.0f;
    bool hasHalfWidth = false;
    float halfWidth = 0.0f;  // degrees, at half the height above the minimum
    bool hasOsi = false, hasDsi = false, hasF1F0 = false;
    float osi = 0.0f, dsi = 0.0f, f1f0 = 0.0f;
    bool hasContrastFit = false;  // a contrast curve of four values or more
    NakaRushton contrastFit;      // to the mean rates, C50 in percent
    bool c50Beyond = false;       // C50 above every contrast shown: the curve had not begun to level off
};
// Orientation curves get the half-width, OSI and DSI (the orthogonal and the
// opposite directions are the nearest measured values); a moving grating at
// the preferred value gets F1/F0.
TuningSummary SummariseCurve(int32_t field, const std::vector<CurvePoint>& curve);
// The one-line summary shown under the plot, in the language in force.
std::string SummaryText(int32_t field, const TuningSummary& summary);
// "simple-like (F1/F0 > 1)" or "complex-like (F1/F0 < 1)".
const char* ModulationLabel(float f1f0);

// A number with the given digits after the decimal mark of the language in
// force (never the system's locale).
std::string FixedText(float value, int32_t decimals);
