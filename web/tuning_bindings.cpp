// The tuning-curve recorder for the page, over the same sweep, form and
// figure as the desktop's window: the form to lay out, a sweep started from
// its values, polled between ticks and stopped, the curve as a figure to
// paint, the summary and the CSV text.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "formats/plot_json.h"
#include "formats/tuning_csv.h"
#include "language/catalog.h"
#include "model/numeric.h"
#include "recording/offline_sweep.h"
#include "tuning/curve_picture.h"
#include "tuning/tuning_analysis.h"
#include "tuning/tuning_form.h"
#include "tuning/tuning_sweep.h"

namespace {
std::string text;  // the last text handed to the page
}

// A form's number field with its label and unit in the language in force.
void WriteShownNumber(JsonWriter& j, const char* key, FormNumber field)
{
    field.label = Tr(field.label), field.unit = Tr(field.unit);
    WriteFormNumber(j, key, field);
}

extern "C" {

// {"title":t,"parameterLabel":t,"parameters":[t,...],"parameter":n,"step":field,"from":field,"to":field,
//  "points":field,"repeats":field,"seconds":field,"stepUsed":b,"centreText":t,"centreShown":b,
//  "centreChecked":b,"start":t,...,"placement":t}, fields as WriteFormNumber writes them; texts in the
// language in force, the files' names in English.
EMSCRIPTEN_KEEPALIVE const char* tess_tuning_form(int32_t parameter, int32_t centreChecked)
{
    const TuningForm f = TuningFormOf(parameter);
    JsonWriter j;
    j.OpenObject();
    j.Text("title", Tr(f.title)), j.Text("parameterLabel", WithoutAccessKey(Tr(f.parameterLabel)));
    j.OpenArray("parameters");
    for (const char* name : f.parameters) j.Text(nullptr, Tr(name));
    j.CloseArray();
    j.Int("parameter", f.parameter);
    const std::pair<const char*, const FormNumber*> fields[] = {{"step", &f.step}, {"from", &f.from}, {"to", &f.to},
        {"points", &f.points}, {"repeats", &f.repeats}, {"seconds", &f.seconds}};
    for (const auto& [key, field] : fields) WriteShownNumber(j, key, *field);
    j.Bool("stepUsed", f.stepUsed), j.Text("centreText", Tr(f.centreText)), j.Bool("centreShown", f.centreShown);
    j.Bool("centreChecked", f.centreChecked);
    j.Text("start", Tr(f.start)), j.Text("stop", Tr(f.stop)), j.Text("saveData", Tr(f.saveData));
    j.Text("savePicture", Tr(f.savePicture)), j.Text("close", Tr(f.close));
    j.Text("dataFile", f.dataFile), j.Text("pictureFile", f.pictureFile);
    j.Text("placement", TuningPlacementText(centreChecked != 0));
    j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

// The form's values as typed (NaN for an empty field); the core holds each
// to its field. Returns 1 when the sweep started.
EMSCRIPTEN_KEEPALIVE int32_t tess_tuning_start(int32_t parameter, double step, double from, double to, double points,
                                               double repeats, double seconds, int32_t centre)
{
    return StartSweep(PlanOfForm({parameter, step, from, to, points, repeats, seconds, centre != 0})) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void tess_tuning_stop() { StopSweep(); }

// The page's test surface, which no student reaches: the desktop's headless
// sweep (kind: an OfflineSweepKind), run at once on its own clock. The same
// seed leaves the same recording as the desktop's `--sweep`, so the browser
// checks set the two editions' files side by side.
EMSCRIPTEN_KEEPALIVE void tess_offline_sweep(int32_t kind, int32_t cellType, double seed, int32_t repeats)
{
    const double whole = std::isfinite(seed) ? std::clamp(std::floor(seed), 0.0, 4294967295.0) : 1.0;
    const FormNumber range = TuningFormOf(SweepOrientation).repeats;
    RunOfflineSweep({std::clamp(kind, 0, kOfflineKindCount - 1), std::clamp(cellType, 1, 5), static_cast<uint32_t>(whole),
                     NearestInt(BoundToField(repeats, range))});
}

// {"running":b,"done":n,"total":n,"progress":t,"curve":[[value,mean,sem],...],"summary":t,"picture":figure}
// with the figure drawn for a canvas of width by height.
EMSCRIPTEN_KEEPALIVE const char* tess_tuning_poll(double width, double height)
{
    PollSweep();
    const TuningSweep& s = tuningSweep;
    const std::vector<CurvePoint> curve = AverageRepeats(s.points);
    JsonWriter j;
    j.OpenObject();
    j.Bool("running", SweepRunning());
    j.Int("done", static_cast<int64_t>(s.points.size())), j.Int("total", SweepTotalSteps());
    j.Text("progress", TuningProgressText(SweepRunning(), static_cast<int32_t>(s.points.size()), SweepTotalSteps(),
                                          SweepTicksLeft()));
    j.OpenArray("curve");
    for (const CurvePoint& c : curve) {
        j.OpenArray();
        j.Real(nullptr, c.value), j.Real(nullptr, c.meanRate), j.Real(nullptr, c.semRate);
        j.CloseArray();
    }
    j.CloseArray();
    j.Text("summary", SummaryText(s.field, SummariseCurve(s.field, curve)));
    const double w = std::isfinite(width) ? std::clamp(width, 1.0, 4096.0) : 480.0;
    const double h = std::isfinite(height) ? std::clamp(height, 1.0, 4096.0) : 300.0;
    WritePlotPicture(j, "picture", TuningCurvePicture(s.field, curve, w, h));
    j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* tess_tuning_csv()
{
    text = TuningCsvText(tuningSweep.field, tuningSweep.points);
    return text.c_str();
}

}  // extern "C"
