#pragma once
#include <cstdint>
#include <string>

#include "model/app_state.h"

// The information line over the top of the frame. Each text is built at its
// full length (blanks included) because that is the length it is measured
// at; it is drawn without its trailing blanks. Texts are UTF-8 ("°" is one
// character of two bytes), in the language in force. The scene thread builds
// them while the user-interface thread may switch the language: Tr reads the
// catalog through one published pointer, so no lock is needed.
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
// The room kept between the texts at the left and the peak rate, in frame
// pixels at the full line height (it shrinks with the line).
constexpr int32_t kOverlayGap = 12;

// Where the information line goes, from the widths each shell measured at
// the full line height: the first two texts together (left) and the peak
// rate (peak). Side by side at 36 rows when they fit with the gap; else
// side by side at the width ratio times 32 (not 36, which leaves room for
// the fonts' rounding); and where that would be under half the band, the
// peak rate goes on a line of its own below the others, the two lines
// sharing the band, so the readouts never overlap on a narrow field. The
// peak rate always ends at the client's right edge.
struct OverlayLayout {
    int32_t lineHeight = kOverlayFontHeight;  // the height of each line (its grey boxes)
    int32_t peakTop = 0;                      // the peak rate's top row: 0 beside, lineHeight below
};
OverlayLayout LayOutOverlay(int32_t frameWidth, int32_t leftWidth, int32_t peakWidth);
