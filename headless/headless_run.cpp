#include "headless/headless_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/recording_files.h"
#include "headless/headless_options.h"
#include "model/cell_type_names.h"
#include "model/receptive_field.h"
#include "recording/offline_sweep.h"
#include "tuning/tuning_form.h"

namespace {

struct Name {
    const char* text;
    int32_t value;
};
const Name kKinds[] = {{"orientation", OfflineOrientation}, {"direction", OfflineDirection},
                       {"spatial-frequency", OfflineSpatialFrequency}, {"size", OfflineSize},
                       {"contrast", OfflineContrast}, {"temporal-frequency", OfflineTemporalFrequency}};

template <size_t N>
bool Lookup(const Name (&names)[N], const std::string& text, int32_t* value)
{
    for (const Name& n : names)
        if (text == n.text) return *value = n.value, true;
    return false;
}

int Refuse(const std::string& text)
{
    std::string kinds;
    for (const Name& k : kKinds) kinds.append(kinds.empty() ? "" : "|").append(k.text);
    std::fprintf(stderr,
                 "tessaline: %s\nusage: tessaline --sweep %s "
                 "--cell %s --out FILE.nwb|FILE.csv [--seed N] [--repeats N]\n",
                 text.c_str(), kinds.c_str(), CellNamesOnCommandLine().c_str());
    return 2;
}

}  // namespace

int RunHeadlessSweep(int argc, char** argv)
{
    if (!AskedFor(argc, argv, "--sweep")) return -1;
    OfflineSweepRequest request;
    std::string out;
    bool haveKind = false, haveCell = false;
    std::string option, value;
    for (int i = 1; i < argc; ++i) {
        if (!NextOption(argc, argv, i, option, value)) return Refuse("option " + option + " needs a value");
        double number = 0;
        if (option == "--sweep") {
            if (!(haveKind = Lookup(kKinds, value, &request.kind))) return Refuse("unknown sweep '" + value + "'");
        } else if (option == "--cell") {
            request.cellType = CellTypeSpelledAs<&CellTypeSpelling::commandLine>(value);
            if (!(haveCell = request.cellType != 0)) return Refuse("unknown cell '" + value + "'");
        } else if (option == "--out") {
            out = value;
        } else if (option == "--seed") {
            if (!NumberIn(value, 0, 4294967295.0, true, &number)) return Refuse("--seed wants a whole number from 0 to 4294967295");
            request.seed = static_cast<uint32_t>(number);
        } else if (option == "--repeats") {
            // The tuning form's range, the same in both editions' windows.
            const FormNumber range = TuningFormOf(SweepOrientation).repeats;
            const auto low = static_cast<long long>(range.low), high = static_cast<long long>(range.high);
            if (!NumberIn(value, range.low, range.high, true, &number))
                return Refuse("--repeats wants a whole number from " + std::to_string(low) + " to " + std::to_string(high));
            request.repeats = static_cast<int32_t>(number);
        } else {
            return Refuse("unknown option '" + option + "'");
        }
    }
    if (!haveKind || !haveCell || out.empty()) return Refuse("--sweep, --cell and --out are all needed");
    if (!IsNwbPath(out) && !IsCsvPath(out)) return Refuse("--out must name a .nwb or a .csv file");
    return WriteRecordingAndSay(out, RunOfflineSweep(request).line);
}
