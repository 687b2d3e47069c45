#include "controls/feedback_rules.h"

#include <cmath>

#include "model/numeric.h"
#include "model/cell_type_names.h"
#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"

FeedbackView feedbackView;

namespace {

// A value to 0.1, halves away from zero. Values too large for tenths to
// mean anything stay as they are, so they show as an overflowing field
// instead of a clamped number.
float ToTenth(float v)
{
    if (!(std::fabs(v) < 1e8f))
        return v;
    return static_cast<float>(NearestInt(v * 10.0f)) / 10.0f;
}

const char* TypeText(int32_t cellType)
{
    // The retinal cells have no orientation to score, and no type shown.
    const bool cortical = cellType == Simple || cellType == DirectionalSimple || cellType == Complex;
    return cortical ? Tr(CellTypeDescription(cellType)) : "";
}

}  // namespace

const FeedbackView& ShowFeedbackScores()
{
    FeedbackView& f = feedbackView;
    f = FeedbackView{};
    CopyControlText(f.typeText, TypeText(receptiveField.cellType));

    float difference = receptiveField.orientation - stimulus.orientation;
    // A simple cell's field looks the same turned by 180 degrees, so its
    // difference is folded once into -90..90.
    if (receptiveField.cellType == Simple) {
        if (difference > 90.0f)
            difference -= 180.0f;
        if (difference < -90.0f)
            difference += 180.0f;
    }
    CopyControlText(f.orientationActual, IntegerText(NearestInt(receptiveField.orientation)));
    CopyControlText(f.orientationEstimate, IntegerText(NearestInt(stimulus.orientation)));
    CopyControlText(f.orientationDifference, IntegerText(NearestInt(difference)));

    const float dx = ToTenth(stimulus.stimX - receptiveField.centreX);
    const float dy = ToTenth(stimulus.stimY - receptiveField.centreY);
    CopyControlText(f.xActual, RealText(ToTenth(receptiveField.centreX)));
    CopyControlText(f.yActual, RealText(ToTenth(receptiveField.centreY)));
    CopyControlText(f.xEstimate, RealText(ToTenth(stimulus.stimX)));
    CopyControlText(f.yEstimate, RealText(ToTenth(stimulus.stimY)));
    CopyControlText(f.xDifference, RealText(dx));
    CopyControlText(f.yDifference, RealText(dy));
    CopyControlText(f.distance, RealText(ToTenth(std::sqrt(dx * dx + dy * dy))));

    if (stimulus.stimulusType == Grating) {
        CopyControlText(f.sfActual, RealText(ToTenth(receptiveField.spatialFrequency)));
        CopyControlText(f.sfEstimate, RealText(ToTenth(stimulus.gratingSf)));
        CopyControlText(f.sfDifference, RealText(ToTenth(stimulus.gratingSf - receptiveField.spatialFrequency)));
    } else {
        for (char (*text)[kControlTextSize] : {&f.sfActual, &f.sfEstimate, &f.sfDifference})
            CopyControlText(*text, "*");
    }
    return f;
}
