#pragma once
// What the "More options" controls do to the model options and what each
// shows: the surround-weighting, gamma-order, spontaneous-rate and
// half-maximum-contrast spin boxes, the cell-type list of the spontaneous
// rate, and the saturating and background-hash check boxes. Every value
// comes from the arrows or a check box: the spin boxes' texts only show
// values, nothing typed reaches the record.
#include <cstdint>

#include "controls/control_text.h"

enum class OptionSpin : int32_t { Surround, Gamma, Rate, HalfMax, Count };
constexpr int32_t kOptionSpins = static_cast<int32_t>(OptionSpin::Count);

struct MoreOptionsView {
    SpinView spin[kOptionSpins];
    int32_t rateCellType;  // list entry 0..4 (cell type - 1), -1 for none
    bool saturating, hash;
};
// The controls of the open dialog, user-interface thread only.
extern MoreOptionsView moreOptionsView;

// Opening: the controls from the options, then the options settled on what
// the controls hold.
const MoreOptionsView& OpenMoreOptions();

const MoreOptionsView& StepOptionSpin(OptionSpin spin, int32_t position);
// The list shows the spontaneous rate of the chosen cell type.
const MoreOptionsView& ChooseRateCellType(int32_t entry);
const MoreOptionsView& CheckSaturating(bool on);
const MoreOptionsView& CheckHash(bool on);

// The rate's arrows: positions 0..9 are tenths of a hertz below 1 Hz, 10..110
// are whole hertz from 1 to 101.
float RateFromCode(int32_t position);
int32_t RateCode(float rate);
