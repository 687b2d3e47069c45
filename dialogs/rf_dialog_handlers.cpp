// Change handling of the "Receptive field parameters" dialog. Every change,
// accepted or not, ends with a rebuild of the filters, so the neuron that is
// heard follows the controls while they move.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "dialogs/rf_dialog.h"
#include "model/filters.h"
#include "model/receptive_field.h"
#include "render/number_format.h"

using namespace RfDialogIds;

namespace {

constexpr int kFieldChars = 32;

bool Checked(QDialog* d, int id) { return Control<QRadioButton>(d, id)->isChecked(); }
int Position(QDialog* d, int id) { return Control<QSpinBox>(d, id)->value(); }
void ShowValue(QDialog* d, int id, float v) { Control<QLineEdit>(d, id)->setText(RealText(v)); }
void MoveUpDown(QDialog* d, int id, int position) { SetUpDownQuietly(Control<QSpinBox>(d, id), position); }

bool IsDisplayRadio(int id) { return id == kGreyScale || id == kOutlines || id == kHide; }

// The radio buttons decide the display and randomisation modes. A field
// revealed after a hand plot stays revealed, and keeps the mode the next new
// field returns to, until the student picks a display choice: the display
// radios then show that mode to return to, not a mode in force.
void ReadRadios(QDialog* d, int changedId)
{
    if (receptiveField.displayMode != Revealed || IsDisplayRadio(changedId)) {
        if (Checked(d, kGreyScale))
            receptiveField.displayMode = GreyScale;
        if (Checked(d, kOutlines))
            receptiveField.displayMode = Outlines;
        if (Checked(d, kHide))
            receptiveField.displayMode = Hidden;
        if (receptiveField.displayMode != Revealed)
            receptiveField.savedDisplayMode = receptiveField.displayMode.load();
    }
    if (Checked(d, kLeaveWhereSelected))
        receptiveField.randomiseMode = LeaveWhereSelected;
    if (Checked(d, kRandomisePosition))
        receptiveField.randomiseMode = RandomisePositionOrientation;
    if (Checked(d, kRandomiseEverything))
        receptiveField.randomiseMode = RandomiseEverything;
}

// A typed field: the number is taken when it is one and in range; the
// up-down beside it moves only when the rounded value lies on its scale.
void OnTypedField(QDialog* d, int id)
{
    float v = 0.0f;
    if (!ReadNumber(Control<QLineEdit>(d, id), kFieldChars, v))
        return;
    switch (id) {
    case kCentreEdit:
        if (v > 0.0f && v < 10.0f) {
            receptiveField.surroundSigma = 5.0f * v;
            receptiveField.centreSigma = v;
            const int n = NearestInt(50.0f * v);
            if (n >= 3 && n <= 100)
                MoveUpDown(d, kCentreUpDown, n);
        }
        break;
    case kOrientationEdit:
        if (v >= 0.0f && v <= 360.0f) {
            receptiveField.orientation = v;
            SetSliderQuietly(Control<QSlider>(d, kOrientationSlider), TruncInt(v));
        }
        break;
    case kSfEdit:
        if (v > 0.0f) {
            receptiveField.spatialFrequency = v;
            const int n = NearestInt(10.0f * v);
            if (n >= 1 && n <= 100)
                MoveUpDown(d, kSfUpDown, n);
        }
        break;
    case kPhaseEdit: {
        // Any phase is a phase; the up-down only covers 0..360 degrees.
        receptiveField.phase = v;
        const int n = NearestInt(v / 5.0f);
        if (n >= 0 && n <= 360)
            MoveUpDown(d, kPhaseUpDown, n);
        break;
    }
    case kWidthEdit:
    case kLengthEdit:
        if (v > 0.0f) {
            (id == kWidthEdit ? receptiveField.width : receptiveField.length) = v;
            const int n = NearestInt(10.0f * v);
            if (n <= 100)
                MoveUpDown(d, id == kWidthEdit ? kWidthUpDown : kLengthUpDown, n);
        }
        break;
    default:
        break;
    }
}

}  // namespace

void rfDialogChanged(QDialog* d, int id)
{
    bool readRadios = true;
    switch (id) {
    case kCentreEdit:
    case kOrientationEdit:
    case kSfEdit:
    case kPhaseEdit:
    case kWidthEdit:
    case kLengthEdit:
        OnTypedField(d, id);
        readRadios = false;
        break;
    case kCentreUpDown:
        receptiveField.centreSigma = static_cast<float>(Position(d, id)) / 50.0f;
        receptiveField.surroundSigma = receptiveField.centreSigma * 5.0f;
        ShowValue(d, kCentreEdit, receptiveField.centreSigma);
        break;
    case kOrientationSlider:
        receptiveField.orientation = static_cast<float>(Control<QSlider>(d, id)->value());
        ShowValue(d, kOrientationEdit, receptiveField.orientation);
        break;
    case kCellTypeList: {
        const int index = Control<QComboBox>(d, id)->currentIndex();
        if (index >= 0)
            receptiveField.cellType = index + 1;
        break;
    }
    case kHorizontalSlider:
        receptiveField.centreX = static_cast<float>(Control<QSlider>(d, id)->value()) / 10.0f;
        break;
    case kVerticalSlider:
        receptiveField.centreY = static_cast<float>(Control<QSlider>(d, id)->value()) / 10.0f;
        break;
    case kSfUpDown:
        receptiveField.spatialFrequency = static_cast<float>(Position(d, id)) / 10.0f;
        ShowValue(d, kSfEdit, receptiveField.spatialFrequency);
        break;
    case kPhaseUpDown:
        receptiveField.phase = 5.0f * static_cast<float>(Position(d, id));
        ShowValue(d, kPhaseEdit, receptiveField.phase);
        break;
    case kWidthUpDown:
        receptiveField.width = static_cast<float>(Position(d, id)) / 10.0f;
        ShowValue(d, kWidthEdit, receptiveField.width);
        break;
    case kLengthUpDown:
        receptiveField.length = static_cast<float>(Position(d, id)) / 10.0f;
        ShowValue(d, kLengthEdit, receptiveField.length);
        break;
    default:
        break;
    }
    if (readRadios)
        ReadRadios(d, id);
    buildFilters();
}

// Used at opening as well.
void ReadRfDialogRadios(QDialog* d)
{
    ReadRadios(d, 0);
}
