#pragma once
// The noise map laid out once for both editions, as the raster and the
// tuning curve are: the spike-triggered average at a lag, for sparse noise
// the ON and OFF maps each on its own, and, while the field is not hidden,
// the true field at the same lag on the same grid with the correlation as
// text. Squares are grey levels scaled symmetric about grey. The desktop's
// Map window and the page's map panel paint it and measure nothing.
#include <cstdint>
#include <vector>

#include "language/catalog.h"
#include "mapping/spike_triggered_average.h"
#include "tuning/plot_picture.h"

// The window's and the panel's texts.
constexpr const char* kMapMenuText = N_("Map…");
constexpr const char* kMapTitle = N_("Map");
constexpr const char* kMapLagCaption = N_("Lag (ms)");
constexpr const char* kMapResetText = N_("Reset");
constexpr const char* kMapFastForwardText = N_("Fast-forward 30 min");
constexpr const char* kMapStopText = N_("Stop");
constexpr const char* kMapAverageTitle = N_("Average");
constexpr const char* kMapOnTitle = N_("ON");
constexpr const char* kMapOffTitle = N_("OFF");
constexpr const char* kMapTrueTitle = N_("True field");
constexpr const char* kMapWaiting = N_("Show sparse or white noise (Select stimulus) to map the field.");
// A fast-forward goes into a recording only if that recording ran from its start to its end.
constexpr const char* kMapStretchNotRecorded =
    N_("The map took the fast-forward, but the recording did not: it started or stopped while the fast-forward ran.");

// The lags a student may choose, in ms: 0 to 400 in steps of one tick.
constexpr int32_t kMapLagMsHigh = (kMapLags - 1) * kMapLagMs;

// The true field at `lag` ticks on the map's grid where the stimulus record
// places the noise, from the published filters; empty while the field is
// hidden (a hand plot's answer stays hidden until revealed). User-interface
// thread, as every reader of the published set.
std::vector<double> ShownTrueField(const SpikeTriggeredAverage& m, int32_t lag);

// The figure at `lag` ticks for a view of width x height pixels; trueField
// empty leaves out the true field and the correlation.
PlotPicture MapPicture(const SpikeTriggeredAverage& m, int32_t lag, const std::vector<double>& trueField,
                       double width, double height);
// The line under the map: what to do first, or, after a fast-forward whose
// stretch the recording did not take (notRecorded), that.
const char* MapNoticeText(const SpikeTriggeredAverage& m, bool notRecorded);
// Its counts line: spikes, ticks as time, the lag and, with the true field, the correlation.
std::string MapCountsLine(const SpikeTriggeredAverage& m, int32_t lag, const std::vector<double>& trueField);
