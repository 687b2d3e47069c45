// The recording for the page: start and stop, drain the spike log (the page
// does it between ticks, as the desktop's timer does), the raster and PSTH
// as JSON for the page to draw, the CSV files, and the whole NWB file as a
// tree for the page's HDF5 writer.
#include <emscripten/emscripten.h>

#include <cmath>
#include <string>

#include "formats/json_reader.h"
#include "formats/json_writer.h"
#include "model/file_numbers.h"
#include "model/receptive_field.h"
#include "recording/recording.h"
#include "formats/recording_csv.h"
#include "formats/recording_nwb.h"
#include "recording/recording_psth.h"
#include "tuning/tuning_sweep.h"

namespace {

std::string text;  // the last text handed to the page

void Number(double v)
{
    text += ShortestDoubleText(v);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tess_record(int32_t on)
{
    if (on) StartRecording();
    else StopRecording();
}

EMSCRIPTEN_KEEPALIVE int32_t tess_recording() { return recording.on ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int32_t tess_record_drain() { return DrainRecording(); }

// {"seconds":s,"spikes":n,"trials":n,"from":s,"to":s,"rows":[[duration,t...],...],
//  "groups":[[firstRow,rows,"label"],...],"bin":s,"psth":[rate,...]}
EMSCRIPTEN_KEEPALIVE const char* tess_record_raster(double binSeconds)
{
    const Raster raster = BuildRaster(recording);
    const Psth psth = BuildPsth(raster, binSeconds, 0, static_cast<int32_t>(raster.rows.size()));
    text = "{\"seconds\":";
    Number(RecordingSeconds());
    text += ",\"spikes\":" + std::to_string(recording.spikes.size());
    text += ",\"trials\":" + std::to_string(recording.trials.size()) + ",\"from\":";
    Number(raster.from);
    text += ",\"to\":";
    Number(raster.to);
    text += ",\"rows\":[";
    for (size_t i = 0; i < raster.rows.size(); ++i) {
        text += i ? ",[" : "[";
        Number(raster.rows[i].duration);
        for (const double s : raster.rows[i].spikes) text += ',', Number(s);
        text += ']';
    }
    text += "],\"groups\":[";
    for (size_t i = 0; i < raster.groups.size(); ++i) {
        const RasterGroup& g = raster.groups[i];
        text += (i ? ",[" : "[") + std::to_string(g.firstRow) + ',' + std::to_string(g.rows) + ",\"";
        if (g.field >= 0) text += SweptFieldName(g.field) + std::string(" ") + ShortestDoubleText(g.condition);
        text += "\"]";
    }
    text += "],\"bin\":";
    Number(psth.binSeconds);
    text += ",\"psth\":[";
    for (size_t i = 0; i < psth.rate.size(); ++i) {
        if (i) text += ',';
        Number(psth.rate[i]);
    }
    text += "]}";
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
