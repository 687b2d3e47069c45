#pragma once
// The texts of the dialogs' lists, rows and button groups, read by both
// shells: the desktop's dialogs lay them out as widgets, the web binding
// hands them to the page's forms. Each is marked for the catalog and
// translated by the shell where it is shown ("%", "Hz", "ms" and the axes'
// letters are the same in every language). Each table is in the order of the
// controls it names (the rules' enums), so a list's index is its choice.
// The cell types' names are columns of their one table.
#include "language/catalog.h"
#include "model/cell_type_names.h"

struct LabelledRow {
    const char* caption;
    const char* unit;
};

// "Select stimulus": the shapes in the order of the stimulus types, the
// slider rows in the order of StimulusRow, the spin rows in that of StimulusSpin.
constexpr const char* kSelectStimulusTitle = N_("Select stimulus");
constexpr const char* kStimulusShapes[] = {N_("Circular spot"),     N_("Annulus"),      N_("Rectangular bar"),
                                           N_("Sine wave grating"), N_("Sparse noise"), N_("White noise")};
constexpr LabelledRow kStimulusRowLabels[] = {
    {N_("Grating/spot radius"), N_("degs")}, {N_("Bar length"), N_("degs")}, {N_("Bar width"), N_("degs")},
    {N_("Orientation"), N_("degs")},         {N_("Contrast"), "%"},      {N_("Spatial frequency"), N_("c/deg")},
};
constexpr LabelledRow kStimulusSpinLabels[] = {
    {N_("Velocity"), N_("degs/s")}, {N_("Modulation rate"), "Hz"}, {N_("Phase"), N_("degs")}};
constexpr const char* kSensitivityCaption = N_("sensitivity");
constexpr const char* kGratingGroupTitle = N_("Grating parameters");
constexpr const char* kPolarityNames[] = {N_("Black"), N_("White")};
// The noise's rows in the order of NoiseRow; its contrast is the Contrast row.
constexpr const char* kNoiseGroupTitle = N_("Noise parameters");
constexpr LabelledRow kNoiseRowLabels[] = {
    {N_("Grid size"), N_("squares a side")}, {N_("Square size"), N_("degs")}, {N_("Frame duration"), "ms"},
    {N_("Squares lit per frame"), ""},   {N_("Seed"), ""},
};

// "Receptive field parameters": the cell types in the order of CellType,
// the spin rows in that of RfSpin, the two button groups from their first mode.
constexpr const char* kRfDialogTitle = N_("Receptive field parameters");
constexpr auto kCellTypeNames = CellTypeColumn<&CellTypeSpelling::dialogName>();
constexpr LabelledRow kRfSpinLabels[] = {
    {N_("RGC center radius"), N_("degs")}, {N_("SF"), N_("c/deg")},  {N_("Phase"), N_("degs")},
    {N_("Width"), N_("degs")},              {N_("Length"), N_("degs")},
};
constexpr LabelledRow kRfOrientationLabel = {N_("Orientation"), N_("degs")};
constexpr const char* kGaborGroupTitle = N_("Gabor parameters");
constexpr const char* kRfPositionTitle = N_("Position");
constexpr const char* kRfPositionAxes[] = {N_("Horizontal"), N_("Vertical")};
constexpr const char* kDisplayGroupTitle = N_("Display");
constexpr const char* kDisplayModeNames[] = {N_("Grey scale"), N_("Outlines"), N_("Hide")};
constexpr const char* kPositionUpdatesTitle = N_("Position updates");
constexpr const char* kPositionUpdateNames[] = {N_("Leave where selected"), N_("Randomise position and orientation"),
                                                N_("Randomise everything")};

// "More options": the rate list's cell types, and the captions of the two
// rows that are plain texts (the others hold the list and the check box).
constexpr const char* kMoreOptionsTitle = N_("More options");
constexpr auto kRateCellTypeNames = CellTypeColumn<&CellTypeSpelling::rateName>();
constexpr LabelledRow kOptionRowLabels[] = {
    {N_("Retinal receptive field surround weighting"), ""},
    {N_("Retinal spike train gamma parameter (a)"), ""},
    {N_("spontaneous rate"), "Hz"},
    {N_("use saturating I/O; half-max contrast ="), "%"},
};
constexpr const char* kHashCheckText = N_("Add background hash");

// "Feedback": its groups (orientation, spatial frequency, position), the
// names of a group's rows top to bottom, and the position's two columns.
constexpr const char* kFeedbackTitle = N_("Feedback");
constexpr const char* kFeedbackTypeCaption = N_("RF type =");
constexpr const char* kFeedbackGroupTitles[] = {N_("Orientation (degrees)"), N_("Spatial frequency (c/deg)"),
                                                N_("Position (degrees)")};
constexpr const char* kFeedbackRowNames[] = {N_("Actual"), N_("Your estimate"), N_("Difference"), N_("Distance")};
constexpr const char* kFeedbackAxes[] = {"X", "Y"};
