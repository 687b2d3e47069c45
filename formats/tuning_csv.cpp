#include "formats/tuning_csv.h"

#include "model/file_numbers.h"

const char* const kTuningCsvHeader =
    "parameter,value,repeat,mean rate (spikes/s),peak rate (spikes/s),F0 (spikes/s),F1 (spikes/s)";

namespace {

void AppendFloat(std::string& out, float value) { out += ShortestRealText(value); }

}  // namespace

std::string TuningCsvText(int32_t field, const std::vector<TuningPoint>& points)
{
    std::string out = kTuningCsvHeader;
    out += '\n';
    const char* name = SweptFieldName(field);
    for (const TuningPoint& p : points) {
        out += name;
        out += ',';
        AppendFloat(out, p.value);
        out += ',';
        out += std::to_string(p.repeat);
        out += ',';
        AppendFloat(out, p.meanRate);
        out += ',';
        AppendFloat(out, p.peakRate);
        out += ',';
        // A stimulus with no temporal frequency has no harmonics: empty cells.
        if (p.hasHarmonics) AppendFloat(out, p.f0);
        out += ',';
        if (p.hasHarmonics) AppendFloat(out, p.f1);
        out += '\n';
    }
    return out;
}
