#pragma once
// The "More options" dialog: a view of the model-option rules.
#include <QDialog>

#include "controls/more_options_rules.h"

class NumberSpinBox;
class QCheckBox;
class QComboBox;

// The controls' ids, their object names.
namespace MoreOptionsIds {
enum : int {
    kSurroundEdit = 1006,
    kSurroundUpDown = 1007,
    kGammaEdit = 1008,
    kGammaUpDown = 1036,
    kCellTypeList = 1011,
    kRateEdit = 1020,
    kRateUpDown = 1021,
    kSaturatingCheck = 1040,
    kHalfMaxEdit = 1022,
    kHalfMaxUpDown = 1023,
    kHashCheck = 1041,
};
}  // namespace MoreOptionsIds

class MoreOptionsDialog : public QDialog {
public:
    explicit MoreOptionsDialog(QWidget* parent);

private:
    void stepSpin(OptionSpin spin, int position);
    void chooseRateCellType(int entry);
    void checkSaturating(bool on);
    void checkHash(bool on);
    void showView(const MoreOptionsView& view);

    NumberSpinBox* spins_[kOptionSpins];
    QComboBox* rateCellType_;
    QCheckBox* saturating_;
    QCheckBox* hash_;
};
