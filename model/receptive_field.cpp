#include "model/receptive_field.h"

ReceptiveField receptiveField;

namespace {

// 1/38: the middle of the client area in degrees is its size times this.
constexpr float kHalfPixelDegrees = 0.013157895f;

}  // namespace

void ResetReceptiveField(int32_t clientWidth, int32_t clientHeight)
{
    ReceptiveField& rf = receptiveField;
    rf.cellType = Simple;
    rf.centreX = static_cast<float>(clientWidth) * kHalfPixelDegrees;
    rf.centreY = static_cast<float>(clientHeight) * kHalfPixelDegrees;
    rf.orientation = 90.0f;
    rf.spatialFrequency = 0.8f;
    rf.phase = 90.0f;
    rf.width = 0.5f;
    rf.length = 0.7f;
    rf.driftSpeed = 2.0f;
    rf.centreSigma = 0.2f;
    rf.surroundSigma = 1.0f;
    rf.displayMode = GreyScale;
    rf.savedDisplayMode = GreyScale;
    rf.randomiseMode = LeaveWhereSelected;
}
