#pragma once
// The texts of the dialogs' lists, rows and button groups, read by both
// shells: the desktop's dialogs lay them out as widgets, the web binding
// hands them to the page's forms. Each table is in the order of the
// controls it names (the rules' enums), so a list's index is its choice.
// The cell types' names are columns of their one table.
#include "model/cell_type_names.h"

struct LabelledRow {
    const char* caption;
    const char* unit;
};

// "Select stimulus": the shapes in the order of the stimulus types, the
// slider rows in the order of StimulusRow, the spin rows in that of StimulusSpin.
constexpr const char* kSelectStimulusTitle = "Select stimulus";
constexpr const char* kStimulusShapes[] = {"Circular spot",     "Annulus",      "Rectangular bar",
                                           "Sine wave grating", "Sparse noise", "White noise"};
constexpr LabelledRow kStimulusRowLabels[] = {
    {"Grating/spot radius", "degs"}, {"Bar length", "degs"}, {"Bar width", "degs"},
    {"Orientation", "degs"},         {"Contrast", "%"},      {"Spatial frequency", "c/deg"},
};
constexpr LabelledRow kStimulusSpinLabels[] = {{"Velocity", "degs/s"}, {"Modulation rate", "Hz"}, {"Phase", "degs"}};
constexpr const char* kSensitivityCaption = "sensitivity";
constexpr const char* kGratingGroupTitle = "Grating parameters";
constexpr const char* kPolarityNames[] = {"Black", "White"};
// The noise's rows in the order of NoiseRow; its contrast is the Contrast row.
constexpr const char* kNoiseGroupTitle = "Noise parameters";
constexpr LabelledRow kNoiseRowLabels[] = {
    {"Grid size", "squares a side"}, {"Square size", "degs"}, {"Frame duration", "ms"},
    {"Squares lit per frame", ""},   {"Seed", ""},
};

// "Receptive field parameters": the cell types in the order of CellType,
// the spin rows in that of RfSpin, the two button groups from their first mode.
constexpr const char* kRfDialogTitle = "Receptive field parameters";
constexpr auto kCellTypeNames = CellTypeColumn<&CellTypeSpelling::dialogName>();
constexpr LabelledRow kRfSpinLabels[] = {
    {"RGC center radius", "degs"}, {"SF", "c/deg"}, {"Phase", "degs"}, {"Width", "degs"}, {"Length", "degs"},
};
constexpr LabelledRow kRfOrientationLabel = {"Orientation", "degs"};
constexpr const char* kGaborGroupTitle = "Gabor parameters";
constexpr const char* kRfPositionTitle = "Position";
constexpr const char* kRfPositionAxes[] = {"Horizontal", "Vertical"};
constexpr const char* kDisplayGroupTitle = "Display";
constexpr const char* kDisplayModeNames[] = {"Grey scale", "Outlines", "Hide"};
constexpr const char* kPositionUpdatesTitle = "Position updates";
constexpr const char* kPositionUpdateNames[] = {"Leave where selected", "Randomise position and orientation",
                                                "Randomise everything"};

// "More options": the rate list's cell types, and the captions of the two
// rows that are plain texts (the others hold the list and the check box).
constexpr const char* kMoreOptionsTitle = "More options";
constexpr auto kRateCellTypeNames = CellTypeColumn<&CellTypeSpelling::rateName>();
constexpr LabelledRow kOptionRowLabels[] = {
    {"Retinal receptive field surround weighting", ""},
    {"Retinal spike train gamma parameter (a)", ""},
    {"spontaneous rate", "Hz"},
    {"use saturating I/O; half-max contrast =", "%"},
};
constexpr const char* kHashCheckText = "Add background hash";

// "Feedback": its groups (orientation, spatial frequency, position), the
// names of a group's rows top to bottom, and the position's two columns.
constexpr const char* kFeedbackTitle = "Feedback";
constexpr const char* kFeedbackTypeCaption = "RF type =";
constexpr const char* kFeedbackGroupTitles[] = {"Orientation (degrees)", "Spatial frequency (c/deg)",
                                                "Position (degrees)"};
constexpr const char* kFeedbackRowNames[] = {"Actual", "Your estimate", "Difference", "Distance"};
constexpr const char* kFeedbackAxes[] = {"X", "Y"};
