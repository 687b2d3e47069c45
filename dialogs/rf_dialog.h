#pragma once
// The "Receptive field parameters" dialog: a view of the receptive-field
// rules. All its effects are in the receptive field record and the filters
// at once; nothing is read back when it closes.
#include <QDialog>

#include "controls/rf_dialog_rules.h"

class NumberSpinBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSlider;

// The controls' ids, their object names.
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

class RfDialog : public QDialog {
public:
    explicit RfDialog(QWidget* parent);

private:
    void chooseCellType(int entry);
    void typeSpin(RfSpin spin);
    void stepSpin(RfSpin spin, int position);
    void typeOrientation();
    void moveSlider(RfSlider slider);
    void chooseDisplay(int mode);
    void chooseRandomise(int mode);
    // Every control as the rules say; a field being typed into keeps its text.
    void showView(const RfDialogView& view, const QWidget* typing = nullptr);

    QComboBox* cellType_;
    NumberSpinBox* spins_[kRfSpins];
    QSlider* sliders_[kRfSliders];
    QLineEdit* orientation_;
    QRadioButton* display_[3];    // GreyScale, Outlines, Hidden
    QRadioButton* randomise_[3];  // LeaveWhereSelected .. RandomiseEverything
};
