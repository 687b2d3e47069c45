#include "formats/recording_csv.h"

#include "formats/noise_files.h"
#include "model/file_numbers.h"
#include "tuning/tuning_sweep.h"

const char* const kSpikesCsvHeader = "time_s,trial";
const StimulusColumn kStimulusColumns[8] = {
    {"x_deg", &StimulusSnapshot::xDeg, "horizontal position of the stimulus centre, degrees"},
    {"y_deg", &StimulusSnapshot::yDeg, "vertical position of the stimulus centre (down), degrees"},
    {"orientation_deg", &StimulusSnapshot::orientation, "orientation, degrees"},
    {"size_deg", &StimulusSnapshot::size, "spot or annulus radius, bar length, grating radius or noise square, degrees"},
    {"contrast_percent", &StimulusSnapshot::contrast, "contrast, percent"},
    {"spatial_frequency_cpd", &StimulusSnapshot::spatialFrequency, "grating spatial frequency, cycles per degree"},
    {"velocity_deg_per_s", &StimulusSnapshot::velocity, "grating drift velocity, degrees per second"},
    {"phase_deg", &StimulusSnapshot::phase, "grating phase, degrees"},
};

std::string SpikesCsvText(const Recording& r)
{
    std::string text = kSpikesCsvHeader;
    text += '\n';
    text.reserve(r.spikes.size() * 16 + text.size());
    for (size_t i = 0; i < r.spikes.size(); ++i) {
        text += ShortestDoubleText(r.spikes[i]);
        text += ',';
        text += std::to_string(i < r.spikeTrials.size() ? r.spikeTrials[i] : 0);
        text += '\n';
    }
    return text;
}

std::string TrialsCsvText(const Recording& r)
{
    std::string text = "trial,start_s,stop_s,stimulus";
    for (const StimulusColumn& c : kStimulusColumns) text += std::string(",") + c.name;
    text += ",swept,condition\n";
    for (size_t i = 0; i < r.trials.size(); ++i) {
        const RecordedTrial& t = r.trials[i];
        const StimulusSnapshot& s = t.stimulus;
        text += std::to_string(i + 1) + ',' + ShortestDoubleText(t.start) + ',' + ShortestDoubleText(TrialStop(r, t)) + ','
            + StimulusTypeName(s.type);
        for (const StimulusColumn& c : kStimulusColumns) text += ',' + ShortestRealText(s.*c.field);
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

std::vector<NamedText> RecordingCsvFiles(const Recording& r, const std::string& target)
{
    std::vector<NamedText> files{{target, SpikesCsvText(r)}, {TrialsCsvPath(target), TrialsCsvText(r)}};
    if (!r.noise.frames.empty()) files.push_back({FramesCsvPath(target), NoiseFramesCsvText(r.noise)});
    return files;
}
