#include "dialogs/rf_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <iterator>
#include <span>
#include <memory>

#include "app/shown_text.h"
#include "controls/dialog_labels.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "dialogs/number_spin_box.h"
#include "model/receptive_field.h"

using namespace RfDialogIds;

namespace {

// A spin row's controls; its texts are the core's (controls/dialog_labels.h).
struct SpinLayout {
    int upDownId, editId;
};
// In the order of RfSpin.
constexpr SpinLayout kSpins[kRfSpins] = {
    {kCentreUpDown, kCentreEdit}, {kSfUpDown, kSfEdit}, {kPhaseUpDown, kPhaseEdit},
    {kWidthUpDown, kWidthEdit},   {kLengthUpDown, kLengthEdit},
};
static_assert(std::size(kRfSpinLabels) == kRfSpins);

}  // namespace

RfDialog::RfDialog(QWidget* parent) : QDialog(parent)
{
    SetUpDialog(this, kRfDialogTitle);
    cellType_ = new QComboBox(this);
    SetControlId(cellType_, kCellTypeList);
    AddItems(cellType_, kCellTypeNames);
    connect(cellType_, &QComboBox::currentIndexChanged, this, &RfDialog::chooseCellType);

    auto* gabor = UiWidget<QGroupBox>(kGaborGroupTitle, this);
    auto* gaborGrid = new QGridLayout(gabor);
    auto* fields = new QGridLayout;
    for (int i = 0; i < kRfSpins; ++i) {
        const SpinLayout& s = kSpins[i];
        const auto spin = static_cast<RfSpin>(i);
        // The centre radius sits with the orientation; the rest are the Gabor's.
        QWidget* owner = spin == RfSpin::Centre ? static_cast<QWidget*>(this) : gabor;
        QGridLayout* grid = spin == RfSpin::Centre ? fields : gaborGrid;
        const int row = spin == RfSpin::Centre ? 0 : i - 1;
        spins_[i] = new NumberSpinBox(s.upDownId, s.editId, owner);
        auto* caption = MakeLabel(kRfSpinLabels[i].caption, owner);
        caption->setBuddy(spins_[i]);
        grid->addWidget(caption, row, 0);
        grid->addWidget(spins_[i], row, 1);
        grid->addWidget(MakeLabel(kRfSpinLabels[i].unit, owner), row, 2);
        connect(spins_[i]->edit(), &QLineEdit::textEdited, this, [this, spin] { typeSpin(spin); });
        connect(spins_[i], &QSpinBox::valueChanged, this, [this, spin](int p) { stepSpin(spin, p); });
    }

    auto* left = new QVBoxLayout;
    left->addWidget(cellType_);
    auto* orientationSlider = MakeSlider(kOrientationSlider, Qt::Horizontal, this);
    orientation_ = MakeNumberEdit(kOrientationEdit, this);
    connect(orientation_, &QLineEdit::textEdited, this, &RfDialog::typeOrientation);
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(orientationSlider, 1);
    orientationRow->addWidget(orientation_);
    orientationRow->addWidget(MakeLabel(kRfOrientationLabel.unit, this));
    fields->addWidget(MakeLabel(kRfOrientationLabel.caption, this), 1, 0);
    fields->addLayout(orientationRow, 1, 1, 1, 2);
    left->addLayout(fields);

    auto* position = UiWidget<QGroupBox>(kRfPositionTitle, this);
    auto* positionGrid = new QGridLayout(position);
    auto* horizontal = MakeSlider(kHorizontalSlider, Qt::Horizontal, position);
    auto* vertical = MakeSlider(kVerticalSlider, Qt::Vertical, position);
    // Rows grow downwards on the screen, so the vertical scale does too.
    vertical->setInvertedAppearance(true);
    vertical->setInvertedControls(true);
    vertical->setMinimumHeight(vertical->fontMetrics().height() * 6);
    positionGrid->addWidget(MakeLabel(kRfPositionAxes[0], position), 0, 0);
    positionGrid->addWidget(horizontal, 1, 0);
    positionGrid->addWidget(vertical, 0, 1, 3, 1, Qt::AlignHCenter);
    positionGrid->addWidget(MakeLabel(kRfPositionAxes[1], position), 3, 1, Qt::AlignHCenter);
    positionGrid->setRowStretch(2, 1);
    left->addWidget(position);
    left->addStretch();
    // In the order of RfSlider.
    sliders_[0] = orientationSlider, sliders_[1] = horizontal, sliders_[2] = vertical;
    for (int i = 0; i < kRfSliders; ++i) {
        const auto slider = static_cast<RfSlider>(i);
        connect(sliders_[i], &QSlider::valueChanged, this, [this, slider] { moveSlider(slider); });
    }

    // Two groups of buttons, each checked one at a time.
    auto addButtons = [this](const char* title, QRadioButton** buttons, int firstId, int firstMode,
                             std::span<const char* const> texts, void (RfDialog::*choose)(int)) {
        auto* group = UiWidget<QGroupBox>(title, this);
        auto* column = new QVBoxLayout(group);
        int i = 0;
        for (const char* text : texts) {
            buttons[i] = UiWidget<QRadioButton>(text, group);
            SetControlId(buttons[i], firstId + i);
            column->addWidget(buttons[i]);
            connect(buttons[i], &QRadioButton::clicked, this, [this, choose, mode = firstMode + i] { (this->*choose)(mode); });
            ++i;
        }
        return group;
    };
    auto* display = addButtons(kDisplayGroupTitle, display_, kGreyScale, GreyScale, kDisplayModeNames,
                               &RfDialog::chooseDisplay);
    auto* updates = addButtons(kPositionUpdatesTitle, randomise_, kLeaveWhereSelected, LeaveWhereSelected,
                               kPositionUpdateNames,
                               &RfDialog::chooseRandomise);

    auto* right = new QVBoxLayout;
    right->addWidget(display);
    right->addWidget(updates);
    right->addWidget(gabor);
    right->addStretch();
    right->addLayout(OkButtonRow(this));

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addSpacing(12);
    top->addLayout(right);

    showView(OpenRfDialog());
}

void RfDialog::chooseCellType(int entry) { showView(ChooseCellType(entry)); }

void RfDialog::typeSpin(RfSpin spin)
{
    NumberSpinBox* box = spins_[static_cast<int>(spin)];
    box->keepTypedText();
    showView(TypeRfSpin(spin, box->edit()->text().toUtf8().constData()), box);
}

void RfDialog::stepSpin(RfSpin spin, int position)
{
    // Enter re-reports the position it already has: not a step.
    if (position != rfDialogView.spin[static_cast<int>(spin)].position)
        showView(StepRfSpin(spin, position));
}

void RfDialog::typeOrientation()
{
    showView(TypeRfOrientation(orientation_->text().toUtf8().constData()), orientation_);
}

void RfDialog::moveSlider(RfSlider slider)
{
    showView(MoveRfSlider(slider, sliders_[static_cast<int>(slider)]->value()));
}

void RfDialog::chooseDisplay(int mode) { showView(ChooseDisplay(mode)); }

void RfDialog::chooseRandomise(int mode) { showView(ChooseRandomise(mode)); }

void RfDialog::showView(const RfDialogView& view, const QWidget* typing)
{
    {
        const QSignalBlocker quiet(cellType_);
        cellType_->setCurrentIndex(view.cellType);
    }
    for (int i = 0; i < kRfSpins; ++i)
        spins_[i]->showView(view.spin[i], spins_[i] == typing);
    for (int i = 0; i < kRfSliders; ++i)
        ShowSlider(sliders_[i], view.slider[i]);
    if (orientation_ != typing)
        ShowText(orientation_, view.orientation.text);
    if (view.display >= GreyScale && view.display <= Hidden)
        display_[view.display - GreyScale]->setChecked(true);
    if (view.randomise >= LeaveWhereSelected && view.randomise <= RandomiseEverything)
        randomise_[view.randomise - LeaveWhereSelected]->setChecked(true);
}

QDialog* CreateRfDialog(QWidget* parent) { return new RfDialog(parent); }

void ShowRfDialog(QWidget* parent)
{
    std::unique_ptr<QDialog> d(CreateRfDialog(parent));
    d->exec();
}
