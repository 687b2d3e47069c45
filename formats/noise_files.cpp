#include "formats/noise_files.h"

#include "formats/recording_csv.h"
#include "formats/recording_nwb.h"
#include "model/file_numbers.h"

namespace {

std::vector<TreeAttribute> Typed(const char* type)
{
    return {TextAttribute("namespace", "core"), TextAttribute("neurodata_type", type), TextAttribute("object_id", NewUuid())};
}

// Every frame's squares, frame after frame.
std::vector<int8_t> FrameValues(const NoiseRecord& n)
{
    const size_t squares = CheckNoiseSettings(n.settings) == NoiseFine ? static_cast<size_t>(NoiseSquares(n.settings)) : 0;
    std::vector<int8_t> values(n.frames.size() * squares);
    for (size_t f = 0; f < n.frames.size() && squares > 0; ++f) NoiseFrame(n.settings, n.frames[f], values.data() + f * squares);
    return values;
}

}  // namespace

std::string NoiseDescription(const NoiseRecord& n)
{
    return std::to_string(n.settings.columns) + " x " + std::to_string(n.settings.rows) + " squares of " +
           ShortestRealText(n.settings.squareDeg) + " deg, centred at " + ShortestRealText(n.centreXDeg) + ", " +
           ShortestRealText(n.centreYDeg) + " deg";
}

TreeGroup NoiseImageSeries(const NoiseRecord& n)
{
    TreeGroup series{kNoiseSeriesName, Typed("ImageSeries"), {}, {}};
    series.attributes.push_back(TextAttribute("description", NoiseDescription(n)));
    series.attributes.push_back(TextAttribute(
        "comments", std::string(n.settings.kind == WhiteNoiseKind ? "white" : "sparse") +
                        " noise at contrast " + ShortestRealText(n.settings.contrast) + ", seed " +
                        std::to_string(n.settings.seed) + "; each square -1 black, 0 grey, +1 white; "
                        "data is frames x rows x columns, row 0 the top row; y grows downwards"));
    TreeDataset data = VectorDataset("data", FrameValues(n));
    data.shape = {n.frames.size(), static_cast<uint64_t>(n.settings.rows), static_cast<uint64_t>(n.settings.columns)};
    if (ValueCount(data) != ShapeCount(data.shape)) data.shape = {0, 0, 0};
    data.attributes.push_back(TextAttribute("unit", "sign of the contrast"));
    TreeDataset timestamps = VectorDataset("timestamps", n.onsets);
    timestamps.attributes = {Int32Attribute("interval", 1), TextAttribute("unit", "seconds")};
    series.datasets = {data, timestamps};
    return series;
}

std::string NoiseFramesCsvText(const NoiseRecord& n)
{
    std::string text = "onset_s";
    for (int32_t r = 0; r < n.settings.rows && CheckNoiseSettings(n.settings) == NoiseFine; ++r)
        for (int32_t c = 0; c < n.settings.columns; ++c) text += ",r" + std::to_string(r) + 'c' + std::to_string(c);
    text += '\n';
    const std::vector<int8_t> values = FrameValues(n);
    const size_t squares = n.frames.empty() ? 0 : values.size() / n.frames.size();
    for (size_t f = 0; f < n.frames.size(); ++f) {
        text += ShortestDoubleText(n.onsets[f]);
        for (size_t q = 0; q < squares; ++q) text += ',' + std::to_string(values[f * squares + q]);
        text += '\n';
    }
    return text;
}

std::string FramesCsvPath(const std::string& spikesPath)
{
    const std::string trials = TrialsCsvPath(spikesPath);
    return trials.substr(0, trials.size() - std::string("-trials.csv").size()) + "-frames.csv";
}
