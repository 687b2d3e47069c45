// The tuning-curve recorder for the page, over the same sweep and analysis
// as the desktop's window: start a sweep, poll it between ticks, stop it,
// and read the curve, the summary and the CSV text.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "model/file_numbers.h"
#include "model/numeric.h"
#include "recording/offline_sweep.h"
#include "tuning/tuning_analysis.h"
#include "formats/tuning_csv.h"
#include "tuning/tuning_sweep.h"

namespace {
std::string json;
}

extern "C" {

// parameter: a SweepParameter; orientation sweeps take their step, the
// others from, to and points. Returns 1 when the sweep started.
EMSCRIPTEN_KEEPALIVE int32_t tess_tuning_start(int32_t parameter, double step, double from, double to, int32_t points,
                                               int32_t repeats, double seconds, int32_t centre)
{
    const int32_t ticks = std::isfinite(seconds) ? NearestInt(std::clamp(seconds, 0.02, 60.0) / kTickSeconds) : 50;
    SweepPlan plan;
    if (parameter == SweepOrientation) {
        plan = OrientationPlan(static_cast<float>(step), repeats, ticks);
    } else {
        plan.parameter = parameter;
        plan.from = static_cast<float>(from);
        plan.to = static_cast<float>(to);
        plan.points = points;
        plan.repeats = repeats;
        plan.presentTicks = ticks;
    }
    plan.centreOnField = centre != 0;
    return StartSweep(plan) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void tess_tuning_stop() { StopSweep(); }

// The page's test surface, which no student reaches: the desktop's headless
// sweep (kind: an OfflineSweepKind), run at once on its own clock. The same
// seed leaves the same recording as the desktop's `--sweep`, so the browser
// checks set the two editions' files side by side.
EMSCRIPTEN_KEEPALIVE void tess_offline_sweep(int32_t kind, int32_t cellType, double seed, int32_t repeats)
{
    const double whole = std::isfinite(seed) ? std::clamp(std::floor(seed), 0.0, 4294967295.0) : 1.0;
    RunOfflineSweep({std::clamp(kind, 0, 3), std::clamp(cellType, 1, 5), static_cast<uint32_t>(whole),
                     std::clamp(repeats, 1, 20)});
}

// {"running":b,"done":n,"total":n,"ticksLeft":n,"name":"...","log":b,
//  "curve":[[value,mean,sem],...],"summary":"..."}
EMSCRIPTEN_KEEPALIVE const char* tess_tuning_poll()
{
    PollSweep();
    const TuningSweep& s = tuningSweep;
    const std::vector<CurvePoint> curve = AverageRepeats(s.points);
    json = std::string("{\"running\":") + (SweepRunning() ? "true" : "false");
    json += ",\"done\":" + std::to_string(s.points.size()) + ",\"total\":" + std::to_string(SweepTotalSteps());
    json += ",\"ticksLeft\":" + std::to_string(SweepTicksLeft());
    json += std::string(",\"name\":\"") + SweptFieldName(s.field) + "\",\"log\":";
    json += SweptFieldIsLogarithmic(s.field) ? "true" : "false";
    json += ",\"curve\":[";
    for (size_t i = 0; i < curve.size(); ++i) {
        json += (i ? ",[" : "[") + ShortestRealText(curve[i].value) + ',' + ShortestRealText(curve[i].meanRate) + ','
            + ShortestRealText(curve[i].semRate) + ']';
    }
    // The summary holds letters, digits, spaces and brackets only.
    json += "],\"summary\":\"" + SummaryText(s.field, SummariseCurve(s.field, curve)) + "\"}";
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* tess_tuning_csv()
{
    json = TuningCsvText(tuningSweep.field, tuningSweep.points);
    return json.c_str();
}

}  // extern "C"
