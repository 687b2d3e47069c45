// The noise map for the page: the same live map the desktop's Map window
// keeps, drained from the tick ring between the page's ticks about once a
// second, and its figure as JSON for web/plot.js.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "controls/shell_texts.h"
#include "formats/json_writer.h"
#include "formats/plot_json.h"
#include "language/catalog.h"
#include "mapping/fast_map.h"
#include "mapping/map_drain.h"
#include "mapping/offline_map.h"
#include "mapping/map_picture.h"
#include "mapping/map_scores.h"
#include "stimulus/stimulus_state.h"

namespace {

std::string text;  // the last text handed to the page
std::unique_ptr<LiveMap> live;  // about 1 MB, made when the panel first opens
bool lagChosen = false;

LiveMap& Live()
{
    if (!live) live = std::make_unique<LiveMap>(), ResetLiveMap(*live);
    return *live;
}

std::unique_ptr<FastMapJob> job;  // while a fast-forward runs
bool notRecorded = false;         // the last fast-forward's stretch missed the recording
constexpr int64_t kSliceTicks = 4000;  // a slice of the fast-forward between two of the page's ticks

// What the fast-forward ran, once it has ended or been stopped, into the
// map and the recording (FinishFastMap's rule), the live map drained first.
void FinishFast()
{
    DrainLiveMap(Live());
    if (job) notRecorded = FinishFastMap(*job, Live().map) == FastMapNotRecorded;
    job.reset();
}

}  // namespace

extern "C" {

// A fast-forward running ends first, as the desktop's Reset ends it: the recording keeps its stretch.
EMSCRIPTEN_KEEPALIVE void tess_map_reset() { FinishFast(), ResetLiveMap(Live()), lagChosen = false, notRecorded = false; }

// Starts the fast-forward (of the noise shown), or stops it and keeps what it mapped.
EMSCRIPTEN_KEEPALIVE void tess_map_fast()
{
    if (job) return FinishFast();
    notRecorded = false;
    if (!IsNoise(stimulus.stimulusType)) return;
    DrainLiveMap(Live());
    job = PrepareFastMap(OfflineMapTicks(kFastForwardMinutes), static_cast<int32_t>(Live().map.ticks % 1000000) + 1,
                         &Live().map);
}

// One slice; the share done in thousandths while it runs, -1 when none runs.
EMSCRIPTEN_KEEPALIVE int32_t tess_map_fast_slice()
{
    if (!job) return -1;
    if (RunFastMap(*job, kSliceTicks))
        return static_cast<int32_t>(job->progress.load() * 1000 / std::max<int64_t>(job->ticksTotal, 1));
    FinishFast();
    return -1;
}

EMSCRIPTEN_KEEPALIVE int32_t tess_map_drain() { return DrainLiveMap(Live()) ? 1 : 0; }

// lagMs: the lag the student typed (NaN for the best lag, which the panel
// shows until a lag is chosen). {"lagMs":n,"spikes":n,"waiting":t,"picture":{...}}
EMSCRIPTEN_KEEPALIVE const char* tess_map_picture(double lagMs, double width, double height)
{
    const SpikeTriggeredAverage& m = Live().map;
    if (std::isfinite(lagMs)) lagChosen = true;
    const int32_t lag = lagChosen && std::isfinite(lagMs)
                            ? static_cast<int32_t>(std::clamp(lagMs, 0.0, double{kMapLagMsHigh})) / kMapLagMs
                            : BestMapLag(m);
    const double w = std::isfinite(width) ? std::clamp(width, 1.0, 4096.0) : 560.0;
    const double h = std::isfinite(height) ? std::clamp(height, 1.0, 4096.0) : 260.0;
    JsonWriter j;
    j.OpenObject(), j.Int("lagMs", lag * kMapLagMs), j.Int("spikes", m.spikes);
    j.Text("waiting", MapNoticeText(m, notRecorded));
    WritePlotPicture(j, "picture", MapPicture(m, lag, ShownTrueField(m, lag), w, h));
    j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

// The panel's texts in the language in force:
// {"title":t,"lag":t,"reset":t,"fastForward":t,"stop":t,"close":t,"lagHigh":n,"lagStep":n}
EMSCRIPTEN_KEEPALIVE const char* tess_map_texts()
{
    JsonWriter j;
    j.OpenObject(), j.Text("title", Tr(kMapTitle)), j.Text("lag", Tr(kMapLagCaption)), j.Text("reset", Tr(kMapResetText));
    j.Text("fastForward", Tr(kMapFastForwardText)), j.Text("stop", Tr(kMapStopText));
    j.Text("close", Tr(kCloseButton)), j.Int("lagHigh", kMapLagMsHigh), j.Int("lagStep", kMapLagMs), j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

}  // extern "C"
