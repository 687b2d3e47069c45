#include "tuning/recording_csv.h"

#include "model/file_numbers.h"
#include "tuning/tuning_sweep.h"

const char* const kSpikesCsvHeader = "time_s,trial";
const char* const kTrialsCsvHeader =
    "trial,start_s,stop_s,stimulus,x_deg,y_deg,orientation_deg,size_deg,contrast_percent,"
    "spatial_frequency_cpd,velocity_deg_per_s,phase_deg,swept,condition";

std::string SecondsText(double seconds)
{
    return ShortestDoubleText(seconds);
}

double TrialStop(const Recording& r, const RecordedTrial& t)
{
    if (!TrialOpen(t)) return t.stop;
    const double end = static_cast<double>(r.lastSample - r.originSample) / kRecordSampleRate;
    return end > t.start ? end : t.start;
}

std::string SpikesCsvText(const Recording& r)
{
    std::string text = kSpikesCsvHeader;
    text += '\n';
    text.reserve(r.spikes.size() * 16 + text.size());
    for (size_t i = 0; i < r.spikes.size(); ++i) {
        text += SecondsText(r.spikes[i]);
        text += ',';
        text += std::to_string(i < r.spikeTrials.size() ? r.spikeTrials[i] : 0);
        text += '\n';
    }
    return text;
}

std::string TrialsCsvText(const Recording& r)
{
    std::string text = kTrialsCsvHeader;
    text += '\n';
    for (size_t i = 0; i < r.trials.size(); ++i) {
        const RecordedTrial& t = r.trials[i];
        const StimulusSnapshot& s = t.stimulus;
        text += std::to_string(i + 1) + ',' + SecondsText(t.start) + ',' + SecondsText(TrialStop(r, t)) + ','
            + StimulusTypeName(s.type);
        for (float v : {s.xDeg, s.yDeg, s.orientation, s.size, s.contrast, s.spatialFrequency, s.velocity, s.phase})
            text += ',' + ShortestRealText(v);
        // The swept field's name holds commas' cousins only: spaces and brackets.
        text += ',';
        if (t.field >= 0) text += SweptFieldName(t.field);
        text += ',';
        if (t.field >= 0) text += ShortestRealText(t.condition);
        text += '\n';
    }
    return text;
}

std::string TrialsCsvPath(const std::string& spikesPath)
{
    const size_t slash = spikesPath.find_last_of('/');
    const size_t dot = spikesPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? spikesPath.substr(0, dot) : spikesPath;
    return stem + "-trials.csv";
}
