#include "sim/overlay_text.h"

#include "model/numeric.h"
#include "model/number_format.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace {
const char* const kDegree = "\u00B0";
}

std::string OrientationText(float orientation)
{
    return " stimulus orientation =" + FormatIntegerText(NearestInt(orientation), 4) + kDegree;
}

std::string SpatialFrequencyText(float sf)
{
    return " s.f. =" + FormatRealText(sf, 4) + " c/deg ";
}

std::string DiameterText(float diameter)
{
    return " stimulus diameter =" + FormatRealText(diameter, 4) + kDegree + " ";
}

std::string PeakRateText(float peakRate)
{
    // Whole spikes per second above 10, one decimal down to 1, two below:
    // the readout keeps two or three significant digits over its range.
    std::string number;
    if (peakRate > 10.0f) {
        number = FormatIntegerText(NearestInt(peakRate), 4);
    } else if (peakRate > 1.0f) {
        number = FormatRealText(static_cast<float>(NearestInt(10.0f * peakRate)) / 10.0f, 4);
    } else {
        number = FormatRealText(static_cast<float>(NearestInt(100.0f * peakRate)) / 100.0f, 4);
    }
    return "peak rate =" + number + " Hz ";
}

std::string WithoutTrailingBlanks(const std::string& text)
{
    size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

OverlayTexts BuildOverlayTexts()
{
    OverlayTexts texts;
    const int32_t type = stimulus.stimulusType;
    if (type == Bar || type == Grating) {
        texts.first = OrientationText(stimulus.orientation);
        if (type == Grating) texts.second = SpatialFrequencyText(stimulus.gratingSf);
    } else if (type == Spot) {
        texts.first = DiameterText(2.0f * stimulus.spotRadius);
    } else if (type == Annulus) {
        texts.first = DiameterText(2.0f * stimulus.spotRadius * stimulus.annulusRatio);
    }
    texts.peak = PeakRateText(simulation.peakRate);
    return texts;
}

int32_t OverlayFontHeight(int32_t frameWidth, int32_t measuredWidth)
{
    if (measuredWidth <= frameWidth || measuredWidth <= 0) return kOverlayFontHeight;
    int32_t height = TruncInt(static_cast<float>(frameWidth) * 32.0f / static_cast<float>(measuredWidth));
    return height < 1 ? 1 : height;
}
