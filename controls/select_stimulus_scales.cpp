// The logarithmic sliders of the "Select stimulus" dialog and the contrast
// sensitivity shown beside the contrast.
#include <algorithm>
#include <cmath>

#include "controls/select_stimulus_rules.h"
#include "model/numeric.h"

// The spatial-frequency slider has 100 positions per decade; this offset
// puts 5 c/deg at position 220 (2.2 - log10 5).
constexpr float kSfOffset = 1.50103f;

int32_t ContrastPositionFromValue(float contrast)
{
    if (!(contrast > 0.0f))
        return -1;
    return NearestInt(20.0f * std::log10(contrast));
}

float ContrastFromPosition(int32_t position)
{
    if (position <= -1)
        return 0.0f;
    return TwoDecimals(std::pow(10.0f, static_cast<float>(position) / 20.0f));
}

// Opening form: truncated, 0 c/deg at -1, limited to the slider.
int32_t SfPositionAtOpening(float sf)
{
    if (!(sf > 0.0f))
        return -1;
    return std::clamp(TruncInt(100.0f * (std::log10(sf) + kSfOffset)), 0, 220);
}

// Typed form: rounded, limited to the slider.
int32_t SfPositionTyped(float sf) { return std::clamp(NearestInt(100.0f * (std::log10(sf) + kSfOffset)), 0, 220); }

float SfFromPosition(int32_t position)
{
    if (position <= 0)
        return 0.0f;
    return TwoDecimals(std::pow(10.0f, static_cast<float>(position) / 100.0f - kSfOffset));
}

std::string SensitivityText(float contrast)
{
    if (contrast == 0.0f)
        return "*";
    return RealText(TwoDecimals(100.0f / contrast));
}
