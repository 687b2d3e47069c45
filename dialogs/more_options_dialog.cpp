// Every value comes from the arrows or a check box; the spin boxes' texts
// only show values and take no typing.
#include "app/shown_text.h"
#include "dialogs/more_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <iterator>
#include <memory>

#include "controls/dialog_labels.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "dialogs/number_spin_box.h"

using namespace MoreOptionsIds;

MoreOptionsDialog::MoreOptionsDialog(QWidget* parent) : QDialog(parent)
{
    SetUpDialog(this, kMoreOptionsTitle);

    rateCellType_ = new QComboBox(this);
    SetControlId(rateCellType_, kCellTypeList);
    AddItems(rateCellType_, kRateCellTypeNames);
    connect(rateCellType_, &QComboBox::currentIndexChanged, this, &MoreOptionsDialog::chooseRateCellType);
    auto* rateCaption = new QWidget(this);
    auto* rateRow = new QHBoxLayout(rateCaption);
    rateRow->setContentsMargins(0, 0, 0, 0);
    rateRow->addWidget(rateCellType_);
    rateRow->addWidget(MakeLabel(kOptionRowLabels[2].caption, this));
    rateRow->addStretch();

    saturating_ = UiWidget<QCheckBox>(kOptionRowLabels[3].caption, this);
    SetControlId(saturating_, kSaturatingCheck);
    connect(saturating_, &QCheckBox::clicked, this, &MoreOptionsDialog::checkSaturating);
    hash_ = UiWidget<QCheckBox>(kHashCheckText, this);
    SetControlId(hash_, kHashCheck);
    connect(hash_, &QCheckBox::clicked, this, &MoreOptionsDialog::checkHash);

    // In the order of OptionSpin.
    const struct {
        QWidget* caption;
        int upDownId, editId;
    } rows[kOptionSpins] = {
        {MakeLabel(kOptionRowLabels[0].caption, this), kSurroundUpDown, kSurroundEdit},
        {MakeLabel(kOptionRowLabels[1].caption, this), kGammaUpDown, kGammaEdit},
        {rateCaption, kRateUpDown, kRateEdit},
        {saturating_, kHalfMaxUpDown, kHalfMaxEdit},
    };
    static_assert(std::size(kOptionRowLabels) == kOptionSpins);
    auto* grid = new QGridLayout;
    for (int i = 0; i < kOptionSpins; ++i) {
        const auto spin = static_cast<OptionSpin>(i);
        spins_[i] = new NumberSpinBox(rows[i].upDownId, rows[i].editId, this);
        spins_[i]->edit()->setReadOnly(true);
        grid->addWidget(rows[i].caption, i, 0);
        grid->addWidget(spins_[i], i, 1);
        grid->addWidget(MakeLabel(kOptionRowLabels[i].unit, this), i, 2);
        connect(spins_[i], &QSpinBox::valueChanged, this, [this, spin](int p) { stepSpin(spin, p); });
    }
    grid->addWidget(hash_, kOptionSpins, 0, 1, 3);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(8);
    top->addLayout(OkButtonRow(this));

    showView(OpenMoreOptions());
}

void MoreOptionsDialog::stepSpin(OptionSpin spin, int position)
{
    // Enter re-reports the position it already has: not a step.
    if (position != moreOptionsView.spin[static_cast<int>(spin)].position)
        showView(StepOptionSpin(spin, position));
}

void MoreOptionsDialog::chooseRateCellType(int entry) { showView(ChooseRateCellType(entry)); }

void MoreOptionsDialog::checkSaturating(bool on) { showView(CheckSaturating(on)); }

void MoreOptionsDialog::checkHash(bool on) { showView(CheckHash(on)); }

void MoreOptionsDialog::showView(const MoreOptionsView& view)
{
    for (int i = 0; i < kOptionSpins; ++i)
        spins_[i]->showView(view.spin[i]);
    {
        const QSignalBlocker quiet(rateCellType_);
        rateCellType_->setCurrentIndex(view.rateCellType);
    }
    saturating_->setChecked(view.saturating);
    hash_->setChecked(view.hash);
}

QDialog* CreateMoreOptionsDialog(QWidget* parent) { return new MoreOptionsDialog(parent); }

void ShowMoreOptionsDialog(QWidget* parent)
{
    std::unique_ptr<QDialog> d(CreateMoreOptionsDialog(parent));
    d->exec();
}
