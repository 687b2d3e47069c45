#include "model/receptive_field.h"

ReceptiveField receptiveField;

namespace {

// 1/38: the middle of the client area in degrees is its size times this.
constexpr float kHalfPixelDegrees = 0.013157895f;

}  // namespace

void ResetReceptiveField(int32_t clientWidth, int32_t clientHeight)
{
    receptiveField = ReceptiveField{};
    receptiveField.centreX = static_cast<float>(clientWidth) * kHalfPixelDegrees;
    receptiveField.centreY = static_cast<float>(clientHeight) * kHalfPixelDegrees;
}
