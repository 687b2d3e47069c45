#include "sim/overlay_text.h"

#include <algorithm>

#include "language/catalog.h"
#include "model/numeric.h"
#include "model/number_format.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

// Each readout is one template, so a translation may move its number; the
// number takes the decimal mark of the language in force.
std::string OrientationText(float orientation)
{
    return TrArgs(" stimulus orientation =%1°", {LocalNumber(FormatIntegerText(NearestInt(orientation), 4))});
}

std::string SpatialFrequencyText(float sf)
{
    return TrArgs(" s.f. =%1 c/deg ", {LocalNumber(FormatRealText(sf, 4))});
}

std::string DiameterText(float diameter)
{
    return TrArgs(" stimulus diameter =%1° ", {LocalNumber(FormatRealText(diameter, 4))});
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
    return TrArgs("peak rate =%1 Hz ", {LocalNumber(number)});
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

OverlayLayout LayOutOverlay(int32_t frameWidth, int32_t leftWidth, int32_t peakWidth)
{
    // Widths as int64: a shell may hand over any measure.
    const int64_t beside = int64_t{std::max(leftWidth, 0)} + std::max(peakWidth, 0) + kOverlayGap;
    const int64_t widest = std::max({leftWidth, peakWidth, 1});
    const int64_t width = std::max(frameWidth, 0);
    if (beside <= width) return {};
    const auto fitted = [width](int64_t wanted) { return static_cast<int32_t>(std::max<int64_t>(1, width * 32 / wanted)); };
    const int32_t half = kOverlayFontHeight / 2;
    const int32_t scaled = fitted(beside);
    if (scaled >= half) return {scaled, 0};
    const int32_t stacked = std::min(half, fitted(widest));
    return {stacked, stacked};
}
