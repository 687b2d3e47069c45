// The recording for the page: start and stop, drain the spike log (the page
// does it between ticks, as the desktop's timer does), the raster and PSTH
// as JSON for the page to draw, the CSV files, and the whole NWB file as a
// tree for the page's HDF5 writer.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "language/catalog.h"
#include "formats/json_reader.h"
#include "formats/json_writer.h"
#include "formats/plot_json.h"
#include "model/receptive_field.h"
#include "recording/recording.h"
#include "formats/recording_csv.h"
#include "formats/recording_nwb.h"
#include "recording/raster_picture.h"
#include "recording/recording_psth.h"

namespace {

std::string text;  // the last text handed to the page

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tess_record(int32_t on)
{
    if (on) StartRecording();
    else StopRecording();
}

EMSCRIPTEN_KEEPALIVE int32_t tess_recording() { return recording.on ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int32_t tess_record_drain() { return DrainRecording(); }

// binMs: the PSTH's bin as typed (NaN when empty), held to its field.
// {"spikes":n,"trials":n,"counts":text,"from":s,"to":s,"rows":[[duration,t...],...],
//  "groups":[{"first":row,"rows":n,"field":f,"condition":c,"label":text},...],"bin":s,"binMs":ms,"psth":[rate,...],
//  "picture":figure}, the figure drawn for a canvas of width by height. A
// press's group has field -1 and no condition.
EMSCRIPTEN_KEEPALIVE const char* tess_record_raster(double binMs, double width, double height)
{
    const double bin = BoundToField(binMs, RecordPanelTexts{}.bin);
    const Raster raster = BuildRaster(recording);
    const Psth psth = BuildPsth(raster, bin / 1000, 0, static_cast<int32_t>(raster.rows.size()));
    JsonWriter j;
    j.OpenObject();
    j.Int("spikes", static_cast<int64_t>(recording.spikes.size()));
    j.Int("trials", static_cast<int64_t>(recording.trials.size()));
    j.Text("counts", RecordCountsText());
    j.Double("from", raster.from), j.Double("to", raster.to);
    j.OpenArray("rows");
    for (const RasterRow& row : raster.rows) {
        j.OpenArray();
        j.Double(nullptr, row.duration);
        for (const double s : row.spikes) j.Double(nullptr, s);
        j.CloseArray();
    }
    j.CloseArray();
    j.OpenArray("groups");
    for (const RasterGroup& g : raster.groups) {
        j.OpenObject();
        j.Int("first", g.firstRow), j.Int("rows", g.rows), j.Int("field", g.field);
        if (g.field >= 0) j.Real("condition", g.condition);
        else j.Null("condition");
        j.Text("label", RasterGroupLabel(g));
        j.CloseObject();
    }
    j.CloseArray();
    j.Double("bin", psth.binSeconds), j.Double("binMs", bin);
    j.OpenArray("psth");
    for (const float r : psth.rate) j.Real(nullptr, r);
    j.CloseArray();
    const double w = std::isfinite(width) ? std::clamp(width, 1.0, 4096.0) : 560.0;
    const double h = std::isfinite(height) ? std::clamp(height, 1.0, 4096.0) : 440.0;
    WritePlotPicture(j, "picture", RasterPicture(raster, psth, w, h));
    j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

// The panel's texts in the language in force (the files' names in English) and its bin range:
// {"title":t,"window":t,"record":t,"tuning":t,"savePicture":t,"exportData":t,"close":t,"pictureFile":t,"bin":field}
EMSCRIPTEN_KEEPALIVE const char* tess_record_texts()
{
    const RecordPanelTexts t;
    JsonWriter j;
    j.OpenObject();
    j.Text("title", Tr(t.title)), j.Text("window", Tr(t.window)), j.Text("record", Tr(t.record));
    j.Text("savePicture", Tr(t.savePicture)), j.Text("exportData", Tr(t.exportData)), j.Text("close", Tr(t.close));
    j.Text("pictureFile", t.pictureFile);
    j.Text("spikesCsv", Tr(t.spikesCsv)), j.Text("trialsCsv", Tr(t.trialsCsv)), j.Text("nwb", Tr(t.nwb));
    j.Text("csvTarget", t.csvTarget), j.Text("nwbFile", t.nwbFile);
    j.Text("nwbNotLoaded", Tr(t.nwbNotLoaded)), j.Text("nwbNotWritten", Tr(t.nwbNotWritten));
    FormNumber bin = t.bin;
    bin.label = Tr(bin.label), bin.unit = Tr(bin.unit);
    WriteFormNumber(j, "bin", bin);
    j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

// The files the recording becomes as CSV, named beside the target "x.csv":
// [{"name":"x.csv","text":t},{"name":"x-trials.csv","text":t}].
EMSCRIPTEN_KEEPALIVE const char* tess_record_csv(const char* target)
{
    JsonWriter w;
    w.OpenArray();
    for (const NamedText& file : RecordingCsvFiles(recording, target)) {
        w.OpenObject();
        w.Text("name", file.name);
        w.Text("text", file.text);
        w.CloseObject();
    }
    w.CloseArray();
    text = std::move(w.out);
    return text.c_str();
}

// The whole NWB file as a tree (formats/file_tree.h) for the page's HDF5
// writer, with a new identifier, the dates of now and new object ids. While
// the hand plot hides the field, nothing names the cell or its place.
EMSCRIPTEN_KEEPALIVE const char* tess_record_nwb()
{
    NwbSession session;
    session.fieldHidden = receptiveField.displayMode == Hidden;
    text = FileTreeJson(BuildNwbTree(recording, session));
    return text.c_str();
}

}  // extern "C"
