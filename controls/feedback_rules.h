#pragma once
// The scores of the "Feedback" window after a hand plot: the true receptive
// field against the student's estimate, which is the stimulus as it was left
// (its centre, its orientation and, for a grating, its spatial frequency).
// Every field is shown only.
#include <cstdint>

#include "controls/control_text.h"

struct FeedbackView {
    char typeText[kControlTextSize];  // the cell type in words, empty for retinal cells
    char orientationActual[kControlTextSize], orientationEstimate[kControlTextSize],
        orientationDifference[kControlTextSize];
    char sfActual[kControlTextSize], sfEstimate[kControlTextSize], sfDifference[kControlTextSize];  // "*" unless a grating
    char xActual[kControlTextSize], yActual[kControlTextSize];
    char xEstimate[kControlTextSize], yEstimate[kControlTextSize];
    char xDifference[kControlTextSize], yDifference[kControlTextSize];
    char distance[kControlTextSize];
};

// The fields of the open window, user-interface thread only.
extern FeedbackView feedbackView;

// Fills the fields with the scores of the receptive field and the stimulus
// as they are now.
const FeedbackView& ShowFeedbackScores();
