#pragma once
// Control ids of the "Receptive field parameters" dialog.

namespace RfDialogIds {
enum : int {
    kCellTypeList = 1011,
    kCentreEdit = 1006,
    kCentreUpDown = 1007,
    kOrientationSlider = 1010,
    kOrientationEdit = 1008,
    kHorizontalSlider = 1012,
    kVerticalSlider = 1013,
    kGreyScale = 1014,
    kOutlines = 1015,
    kHide = 1016,
    kLeaveWhereSelected = 1017,
    kRandomisePosition = 1018,
    kRandomiseEverything = 1019,
    kSfEdit = 1020,
    kSfUpDown = 1021,
    kPhaseEdit = 1022,
    kPhaseUpDown = 1023,
    kWidthEdit = 1024,
    kWidthUpDown = 1025,
    kLengthEdit = 1026,
    kLengthUpDown = 1027,
};
}  // namespace RfDialogIds

class QDialog;

// Sets the display and randomisation modes from the selected radio buttons.
void ReadRfDialogRadios(QDialog* d);
