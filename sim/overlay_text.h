#pragma once
#include <cstdint>
#include <string>

#include "model/app_state.h"

// The information line over the top of the frame. Each text is built at its
// full length (blanks included) because that is the length it is measured
// at; it is drawn without its trailing blanks. Texts are UTF-8 ("°" is one
// character of two bytes).
std::string OrientationText(float orientation);    // " stimulus orientation =  90°"
std::string SpatialFrequencyText(float sf);        // " s.f. = 0.8 c/deg "
std::string DiameterText(float diameter);          // " stimulus diameter =   1° "
std::string PeakRateText(float peakRate);          // "peak rate =  48 Hz "
std::string WithoutTrailingBlanks(const std::string& text);

// The texts for the current stimulus. first is the orientation or the
// diameter text, second the spatial-frequency text of a grating (else empty).
struct OverlayTexts {
    std::string first, second, peak;
};
OverlayTexts BuildOverlayTexts();

constexpr int32_t kOverlayFontHeight = kToolbarBandRows;
// The line height of the second pass: 36 when the line fits the frame, else
// the width ratio times 32 (not 36, which leaves a little room), truncated,
// and never below one pixel.
int32_t OverlayFontHeight(int32_t frameWidth, int32_t measuredWidth);
