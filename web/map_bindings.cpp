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
#include "mapping/map_drain.h"
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

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tess_map_reset() { ResetLiveMap(Live()), lagChosen = false; }

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
    j.Text("waiting", m.ticks == 0 && !IsNoise(stimulus.stimulusType) ? kMapWaiting : "");
    WritePlotPicture(j, "picture", MapPicture(m, lag, ShownTrueField(m, lag), w, h));
    j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

// {"title":t,"window":t,"lag":t,"reset":t,"close":t,"lagHigh":n,"lagStep":n}
EMSCRIPTEN_KEEPALIVE const char* tess_map_texts()
{
    JsonWriter j;
    j.OpenObject(), j.Text("title", kMapTitle), j.Text("lag", kMapLagCaption), j.Text("reset", kMapResetText);
    j.Text("close", kCloseButton), j.Int("lagHigh", kMapLagMsHigh), j.Int("lagStep", kMapLagMs), j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

}  // extern "C"
