#pragma once
// The numbers the page's forms and the binding share, handed to the page
// by name (tess_names).
#include <cstdint>

// What a form did to one of its controls; the page reads the numbers by name (tess_names).
enum class DialogAction : int32_t {
    Open = 0, Close = 1, TypeField = 2, TypeSpin = 3, MoveSlider = 4, StepSpin = 5,
    ChooseFromList = 6,  // the shape, the cell type, or the rate's cell type
    ChoosePolarity = 7, ChooseDisplay = 8, ChooseRandomise = 9, CheckSaturating = 10, CheckHash = 11,
    TypeNoise = 12, AcknowledgeNotice = 13,  // a noise field; the flicker notice read
};
constexpr int32_t kFeedbackWindow = 121;
