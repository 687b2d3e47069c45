#include "headless/headless_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/recording_files.h"
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

// A whole decimal number from low to high.
bool Whole(const std::string& text, long long low, long long high, long long* value)
{
    if (text.empty() || text.size() > 12) return false;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || v < low || v > high) return false;
    *value = v;
    return true;
}

int Refuse(const std::string& text)
{
    std::string cells, kinds;
    for (const CellTypeSpelling& s : kCellTypeSpellings) cells.append(cells.empty() ? "" : "|").append(s.commandLine);
    for (const Name& k : kKinds) kinds.append(kinds.empty() ? "" : "|").append(k.text);
    std::fprintf(stderr,
                 "tessaline: %s\nusage: tessaline --sweep %s "
                 "--cell %s --out FILE.nwb|FILE.csv [--seed N] [--repeats N]\n",
                 text.c_str(), kinds.c_str(), cells.c_str());
    return 2;
}

}  // namespace

int RunHeadlessSweep(int argc, char** argv)
{
    bool asked = false;
    for (int i = 1; i < argc; ++i) asked = asked || std::strncmp(argv[i], "--sweep", 7) == 0;
    if (!asked) return -1;
    OfflineSweepRequest request;
    std::string out;
    bool haveKind = false, haveCell = false;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i], value;
        const size_t equals = option.find('=');
        if (equals != std::string::npos) value = option.substr(equals + 1), option.resize(equals);
        else if (i + 1 < argc) value = argv[++i];
        else return Refuse("option " + option + " needs a value");
        long long number = 0;
        if (option == "--sweep") {
            if (!(haveKind = Lookup(kKinds, value, &request.kind))) return Refuse("unknown sweep '" + value + "'");
        } else if (option == "--cell") {
            request.cellType = CellTypeSpelledAs<&CellTypeSpelling::commandLine>(value);
            if (!(haveCell = request.cellType != 0)) return Refuse("unknown cell '" + value + "'");
        } else if (option == "--out") {
            out = value;
        } else if (option == "--seed") {
            if (!Whole(value, 0, 4294967295LL, &number)) return Refuse("--seed wants a whole number from 0 to 4294967295");
            request.seed = static_cast<uint32_t>(number);
        } else if (option == "--repeats") {
            // The tuning form's range, the same in both editions' windows.
            const FormNumber range = TuningFormOf(SweepOrientation).repeats;
            const auto low = static_cast<long long>(range.low), high = static_cast<long long>(range.high);
            if (!Whole(value, low, high, &number))
                return Refuse("--repeats wants a whole number from " + std::to_string(low) + " to " + std::to_string(high));
            request.repeats = static_cast<int32_t>(number);
        } else {
            return Refuse("unknown option '" + option + "'");
        }
    }
    if (!haveKind || !haveCell || out.empty()) return Refuse("--sweep, --cell and --out are all needed");
    if (!IsNwbPath(out) && !IsCsvPath(out)) return Refuse("--out must name a .nwb or a .csv file");
    const OfflineSweepResult result = RunOfflineSweep(request);
    const std::string failure = WriteRecordingFile(out, recording, false);
    if (!failure.empty()) {
        std::fprintf(stderr, "tessaline: %s\n", failure.c_str());
        return 1;
    }
    std::printf("%s\n", result.line.c_str());
    return 0;
}
