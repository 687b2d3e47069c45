#include "formats/tuning_csv.h"

#include "model/file_numbers.h"
#include "tuning/tuning_analysis.h"

const char* const kTuningCsvHeader =
    "parameter,value,repeat,mean rate (spikes/s),peak rate (spikes/s),F0 (spikes/s),F1 (spikes/s),"
    "Naka-Rushton Rmax (spikes/s),Naka-Rushton C50 (%),Naka-Rushton n,Naka-Rushton R0 (spikes/s)";

namespace {

void AppendFloat(std::string& out, float value) { out += ShortestRealText(value); }

}  // namespace

std::string TuningCsvText(int32_t field, const std::vector<TuningPoint>& points)
{
    std::string out = kTuningCsvHeader;
    out += '\n';
    const char* name = SweptFieldName(field);
    // The contrast curve's fit to the means over repeats, the same on every
    // row, so that each row reads alone; empty cells for other sweeps.
    const TuningSummary summary = SummariseCurve(field, AverageRepeats(points));
    std::string fit;
    if (summary.hasContrastFit) {
        const NakaRushton& f = summary.contrastFit;
        for (const double v : {f.rmax, f.c50, f.n, f.r0}) fit += ',' + ShortestRealText(static_cast<float>(v));
    } else {
        fit = ",,,,";
    }
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
        out += fit;
        out += '\n';
    }
    return out;
}
