// The five cell buttons: a new field of the chosen type, placed and shaped
// at random as the randomise mode asks, clearing the hand plot of the last one.
#include "sim/new_receptive_field.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/filters.h"
#include "model/numeric.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "stimulus/hand_plot_marks.h"

namespace {

constexpr int32_t kLargestMargin = 1000000;

float Draw(SeededUniform* generator) { return generator ? DrawSeededUniform(*generator) : ShuffledUniform(); }

// Draws the type and the shape of a fully random field.
void RandomiseTypeAndShape(SeededUniform* generator)
{
    ReceptiveField& rf = receptiveField;
    const float u1 = Draw(generator);
    const int32_t type = u1 < 0.2f ? OnCentreX : u1 < 0.4f ? OffCentreX : u1 < 0.6f ? Simple
                       : u1 < 0.8f ? DirectionalSimple : Complex;
    rf.cellType = type;
    if (type == OnCentreX || type == OffCentreX) {
        rf.centreSigma = 0.03f * Draw(generator) + 0.1f;
        rf.surroundSigma = 5.0f * rf.centreSigma;
        return;
    }
    rf.spatialFrequency = 1.0f / (Draw(generator) * 1.25f + 0.75f);
    rf.phase = Draw(generator) * 360.0f;
    rf.width = (0.25f + Draw(generator) * 0.25f) / rf.spatialFrequency;
    rf.length = (Draw(generator) * 0.8f + 1.2f) * rf.width;
}

// How far, in whole pixels, the field's centre keeps from the window edges.
int32_t FieldMargin(float degreesPerPixel)
{
    const ReceptiveField& rf = receptiveField;
    int32_t m = 0;
    if (rf.cellType == OnCentreX || rf.cellType == OffCentreX) {
        m = TruncInt(2.0f * rf.surroundSigma / degreesPerPixel);
    } else {
        m = std::max(TruncInt(rf.width * 2.5f / degreesPerPixel), TruncInt(2.5f * rf.length / degreesPerPixel));
    }
    return std::clamp(m, 0, kLargestMargin);
}

// A pixel position from low to size - high. When the margins do not fit in
// the window the field goes midway between them, kept inside the window, so
// the student can still find it.
float DrawPosition(int32_t low, int32_t high, int32_t size, float u)
{
    const float span = static_cast<float>(size) - static_cast<float>(low) - static_cast<float>(high);
    if (span >= 0.0f) return static_cast<float>(low) + u * span;
    const float middle = 0.5f * (static_cast<float>(low) + static_cast<float>(size) - static_cast<float>(high));
    return std::clamp(middle, 0.0f, static_cast<float>(std::max(size - 1, 0)));
}

}  // namespace

void PlaceNewReceptiveField(int32_t requestedType)
{
    if (requestedType < OnCentreX || requestedType > Complex) return;
    ReceptiveField& rf = receptiveField;
    // A new field starts a new hand plot.
    rf.displayMode = rf.savedDisplayMode.load();
    ClearMarks();

    switch (rf.randomiseMode) {
    case RandomisePositionOrientation:
        rf.cellType = requestedType;
        break;
    case RandomiseEverything:
        break;  // the type is drawn, whichever button was pressed
    default:
        if (rf.cellType == requestedType) return;
        rf.cellType = requestedType;
        BuildFilters();
        return;
    }
    PlaceReceptiveField(rf.randomiseMode, appState.clientWidth, appState.clientHeight, nullptr);
    BuildFilters();
}

void PlaceReceptiveField(int32_t mode, int32_t w, int32_t h, SeededUniform* generator)
{
    ReceptiveField& rf = receptiveField;
    if (mode == RandomiseEverything) RandomiseTypeAndShape(generator);
    const float dpp = kDegreesPerPixel;
    rf.orientation = Draw(generator) * 360.0f;
    const int32_t m = FieldMargin(dpp);
    // x keeps its fraction of a pixel; y is truncated to a whole pixel.
    rf.centreX = DrawPosition(m, m, w, Draw(generator)) * dpp;
    rf.centreY = static_cast<float>(TruncInt(DrawPosition(m + 100, m, h, Draw(generator)))) * dpp;
}
