#include "headless/headless_map.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "controls/noise_texts.h"
#include "files/recording_files.h"
#include "headless/headless_options.h"
#include "mapping/offline_map.h"
#include "model/cell_type_names.h"
#include "recording/recording.h"

namespace {

int Refuse(const std::string& text)
{
    std::fprintf(stderr,
                 "tessaline: %s\nusage: tessaline --map sparse-noise|white-noise --cell %s --minutes M "
                 "--out FILE.nwb|FILE.csv [--seed N] [--grid N] [--square DEG] [--frame MS]\n",
                 text.c_str(), CellNamesOnCommandLine().c_str());
    return 2;
}

std::string Range(double low, double high)
{
    char text[80];
    std::snprintf(text, sizeof text, "a number from %g to %g", low, high);
    return text;
}

}  // namespace

int RunHeadlessMap(int argc, char** argv)
{
    if (!AskedFor(argc, argv, "--map")) return -1;
    OfflineMapRequest request;
    NoiseSettings& noise = request.noise;
    std::string out;
    bool haveKind = false, haveCell = false, haveMinutes = false;
    std::string option, value;
    for (int i = 1; i < argc; ++i) {
        if (!NextOption(argc, argv, i, option, value)) return Refuse("option " + option + " needs a value");
        double number = 0.0;
        if (option == "--map") {
            haveKind = value == NoiseKindName(SparseNoiseKind) || value == NoiseKindName(WhiteNoiseKind);
            if (!haveKind) return Refuse("unknown noise '" + value + "'");
            noise.kind = value == NoiseKindName(WhiteNoiseKind) ? WhiteNoiseKind : SparseNoiseKind;
        } else if (option == "--cell") {
            request.cellType = CellTypeSpelledAs<&CellTypeSpelling::commandLine>(value);
            if (!(haveCell = request.cellType != 0)) return Refuse("unknown cell '" + value + "'");
        } else if (option == "--minutes") {
            if (!(haveMinutes = NumberIn(value, kMapMinutesLow, kMapMinutesHigh, false, &number)))
                return Refuse("--minutes wants " + Range(kMapMinutesLow, kMapMinutesHigh));
            request.minutes = number;
        } else if (option == "--out") {
            out = value;
        } else if (option == "--seed") {
            if (!NumberIn(value, 0, 4294967295.0, true, &number)) return Refuse("--seed wants a whole number from 0 to 4294967295");
            noise.seed = static_cast<uint32_t>(number);
        } else if (option == "--grid") {
            // Checked with the other settings below, in the settings' own words.
            noise.columns = noise.rows = NumberIn(value, -1e6, 1e6, true, &number) ? static_cast<int32_t>(number) : -1;
        } else if (option == "--square") {
            noise.squareDeg = NumberIn(value, -1e6, 1e6, false, &number) ? static_cast<float>(number) : NAN;
        } else if (option == "--frame") {
            if (!NumberIn(value, 0, 1e6, true, &number) || std::fmod(number, 20.0) != 0.0) return Refuse(NoiseFrameMsMessage());
            noise.frameTicks = static_cast<int32_t>(number / 20.0);
        } else {
            return Refuse("unknown option '" + option + "'");
        }
    }
    if (!haveKind || !haveCell || !haveMinutes || out.empty()) return Refuse("--map, --cell, --minutes and --out are all needed");
    const std::string bad = NoiseSettingsMessage(noise);
    if (!bad.empty()) return Refuse(bad);
    if (!IsNwbPath(out) && !IsCsvPath(out)) return Refuse("--out must name a .nwb or a .csv file");
    // About 1 MB of counts: made once, never in the loop.
    auto map = std::make_unique<SpikeTriggeredAverage>();
    return WriteRecordingAndSay(out, RunOfflineMap(request, *map).line);
}
