#pragma once
// What the "Receptive field parameters" controls do to the receptive field
// and what each control shows: the cell-type list; the centre-radius spin
// box; the orientation slider and field; the horizontal and vertical
// position sliders; the Display and Position-updates buttons; the spatial
// frequency, phase, width and length spin boxes. Every change, taken or not,
// ends with a rebuild of the filters, so the neuron that is heard follows
// the controls while they move.
#include <cstdint>

#include "controls/control_text.h"

enum class RfSpin : int32_t { Centre, SpatialFrequency, Phase, Width, Length, Count };
enum class RfSlider : int32_t { Orientation, Horizontal, Vertical, Count };

constexpr int32_t kRfSpins = static_cast<int32_t>(RfSpin::Count);
constexpr int32_t kRfSliders = static_cast<int32_t>(RfSlider::Count);

struct RfDialogView {
    int32_t cellType;  // list entry 0..4 (cell type - 1), -1 for none
    SpinView spin[kRfSpins];
    SliderView slider[kRfSliders];
    FieldView orientation;  // the field beside the orientation slider
    int32_t display;        // the checked Display button: GreyScale, Outlines, Hidden, or 0 for none
    int32_t randomise;      // the checked Position-updates button: a RandomiseMode, or 0 for none
};
// The controls of the open dialog, user-interface thread only.
extern RfDialogView rfDialogView;

// Opening: the controls from the receptive field (the position sliders span
// the window), the modes settled on the checked buttons, the filters built.
const RfDialogView& OpenRfDialog();

const RfDialogView& TypeRfSpin(RfSpin spin, const char* text);
const RfDialogView& TypeRfOrientation(const char* text);
const RfDialogView& StepRfSpin(RfSpin spin, int32_t position);
const RfDialogView& MoveRfSlider(RfSlider slider, int32_t position);
const RfDialogView& ChooseCellType(int32_t entry);
const RfDialogView& ChooseDisplay(int32_t mode);    // GreyScale, Outlines or Hidden
const RfDialogView& ChooseRandomise(int32_t mode);  // a RandomiseMode
