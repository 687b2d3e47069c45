#pragma once
#include <cstdint>

#include "model/relaxed.h"

enum CellType : int32_t { OnCentreX = 1, OffCentreX = 2, Simple = 3, DirectionalSimple = 4, Complex = 5 };
enum RfDisplayMode : int32_t { GreyScale = 1, Outlines = 2, Hidden = 3, Revealed = 4 };
enum RandomiseMode : int32_t { LeaveWhereSelected = 1, RandomisePositionOrientation = 2, RandomiseEverything = 3 };

// The model neuron. Written by the user-interface thread only.
struct ReceptiveField {
    Relaxed<int32_t> cellType{Simple};
    Relaxed<float> centreX, centreY;  // degrees, measured like the stimulus position
    Relaxed<float> orientation{90.0f};
    Relaxed<float> spatialFrequency{0.8f};
    Relaxed<float> phase{90.0f};
    Relaxed<float> width{0.5f};
    Relaxed<float> length{0.7f};
    Relaxed<float> driftSpeed{2.0f};
    Relaxed<float> centreSigma{0.2f};
    Relaxed<float> surroundSigma{1.0f};
    Relaxed<int32_t> displayMode{GreyScale};
    Relaxed<int32_t> savedDisplayMode{GreyScale};
    Relaxed<int32_t> randomiseMode{LeaveWhereSelected};
};
extern ReceptiveField receptiveField;

// Every field to its default, the centre in the middle of a client area of
// the given size.
void ResetReceptiveField(int32_t clientWidth, int32_t clientHeight);
