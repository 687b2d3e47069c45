// There is no cancel: every change is already in the stimulus record, and
// OK, Esc and the close box all keep it.
#include "app/messages.h"
#include "app/shown_text.h"
#include "dialogs/select_stimulus_dialog.h"

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
#include <memory>

#include "controls/dialog_labels.h"
#include "controls/shell_texts.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "dialogs/number_spin_box.h"

using namespace SelectStimulusIds;

namespace {

// A row's controls; its texts are the core's (controls/dialog_labels.h).
struct RowLayout {
    int sliderId, editId;
};
// In the order of StimulusRow.
constexpr RowLayout kRows[kStimulusRows] = {
    {kRadiusSlider, kRadiusEdit}, {kBarLengthSlider, kBarLengthEdit}, {kBarWidthSlider, kBarWidthEdit},
    {kOrientationSlider, kOrientationEdit}, {kContrastSlider, kContrastEdit}, {kSfSlider, kSfEdit},
};
// In the order of StimulusSpin.
constexpr RowLayout kSpins[kStimulusSpins] = {
    {kVelocityUpDown, kVelocityEdit}, {kModulationUpDown, kModulationEdit}, {kPhaseUpDown, kPhaseEdit},
};
static_assert(std::size(kStimulusRowLabels) == kStimulusRows && std::size(kStimulusSpinLabels) == kStimulusSpins);
static_assert(std::size(kNoiseRowLabels) == kNoiseRows);

}  // namespace

SelectStimulusDialog::SelectStimulusDialog(QWidget* parent) : QDialog(parent)
{
    SetUpDialog(this, kSelectStimulusTitle);
    shape_ = new QComboBox(this);
    SetControlId(shape_, kTypeList);
    AddItems(shape_, kStimulusShapes);
    connect(shape_, &QComboBox::currentIndexChanged, this, &SelectStimulusDialog::chooseShape);

    // The stimulus rows on the left, the spatial frequency above the
    // grating's spin boxes on the right.
    auto* left = new QGridLayout;
    left->addWidget(shape_, 0, 0, 1, 2);
    auto* sfGrid = new QGridLayout;
    for (int i = 0; i < kStimulusRows; ++i) {
        const RowLayout& r = kRows[i];
        const auto row = static_cast<StimulusRow>(i);
        sliders_[i] = MakeSlider(r.sliderId, Qt::Horizontal, this);
        fields_[i] = MakeNumberEdit(r.editId, this);
        auto* caption = MakeLabel(kStimulusRowLabels[i].caption, this);
        caption->setBuddy(fields_[i]);
        QGridLayout* grid = row == StimulusRow::SpatialFrequency ? sfGrid : left;
        const int at = row == StimulusRow::SpatialFrequency ? 0 : i + 1;
        grid->addWidget(caption, at, 0);
        grid->addWidget(sliders_[i], at, 1);
        grid->addWidget(fields_[i], at, 2);
        grid->addWidget(MakeLabel(kStimulusRowLabels[i].unit, this), at, 3);
        connect(sliders_[i], &QSlider::valueChanged, this, [this, row] { moveSlider(row); });
        connect(fields_[i], &QLineEdit::textEdited, this, [this, row] { typeField(row); });
    }
    sensitivity_ = MakeDisplayEdit(kSensitivityEdit, this);
    auto* sensitivityRow = new QHBoxLayout;
    auto* sensitivityLabel = MakeLabel(kSensitivityCaption, this);
    sensitivityLabel->setBuddy(sensitivity_);
    sensitivityRow->addWidget(sensitivityLabel);
    sensitivityRow->addWidget(sensitivity_);
    sensitivityRow->addStretch();
    left->addLayout(sensitivityRow, 6, 1, 1, 3);

    auto* noise = UiWidget<QGroupBox>(kNoiseGroupTitle, this);
    auto* noiseGrid = new QGridLayout(noise);
    for (int i = 0; i < kNoiseRows; ++i) {
        const auto row = static_cast<NoiseRow>(i);
        noise_[i] = MakeNumberEdit(kNoiseEdits + i, noise);
        noise_[i]->setMaxLength(kControlTextSize - 1);
        auto* caption = MakeLabel(kNoiseRowLabels[i].caption, noise);
        caption->setBuddy(noise_[i]);
        noiseGrid->addWidget(caption, i, 0);
        noiseGrid->addWidget(noise_[i], i, 1);
        noiseGrid->addWidget(MakeLabel(kNoiseRowLabels[i].unit, noise), i, 2);
        connect(noise_[i], &QLineEdit::textEdited, this, [this, row] { typeNoise(row); });
    }
    noiseMessage_ = MakeLabel("", noise);
    SetControlId(noiseMessage_, kNoiseMessage);
    noiseMessage_->setWordWrap(true);
    noiseGrid->addWidget(noiseMessage_, kNoiseRows, 0, 1, 3);
    left->addWidget(noise, 7, 0, 1, 4);

    auto* grating = UiWidget<QGroupBox>(kGratingGroupTitle, this);
    auto* gratingGrid = new QGridLayout(grating);
    for (int i = 0; i < kStimulusSpins; ++i) {
        const RowLayout& r = kSpins[i];
        const auto spin = static_cast<StimulusSpin>(i);
        spins_[i] = new NumberSpinBox(r.sliderId, r.editId, grating);
        auto* caption = MakeLabel(kStimulusSpinLabels[i].caption, grating);
        caption->setBuddy(spins_[i]);
        gratingGrid->addWidget(caption, i, 0);
        gratingGrid->addWidget(spins_[i], i, 1);
        gratingGrid->addWidget(MakeLabel(kStimulusSpinLabels[i].unit, grating), i, 2);
        connect(spins_[i]->edit(), &QLineEdit::textEdited, this, [this, spin] { typeSpin(spin); });
        connect(spins_[i], &QSpinBox::valueChanged, this, [this, spin](int p) { stepSpin(spin, p); });
    }

    black_ = UiWidget<QRadioButton>(kPolarityNames[0], this);
    SetControlId(black_, kBlack);
    white_ = UiWidget<QRadioButton>(kPolarityNames[1], this);
    SetControlId(white_, kWhite);
    connect(black_, &QRadioButton::clicked, this, [this] { choosePolarity(-1); });
    connect(white_, &QRadioButton::clicked, this, [this] { choosePolarity(1); });
    auto* polarity = new QHBoxLayout;
    polarity->addWidget(black_);
    polarity->addWidget(white_);
    polarity->addStretch();

    auto* right = new QVBoxLayout;
    right->addLayout(sfGrid);
    right->addWidget(grating);
    right->addLayout(polarity);
    right->addStretch();
    QPushButton* ok = nullptr;
    right->addLayout(OkButtonRow(this, &ok));

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addSpacing(12);
    top->addLayout(right);

    // Tab stops: the stimulus controls on the left, then the grating's,
    // then polarity and OK.
    using R = StimulusRow;
    auto at = [this](R r) { return static_cast<int>(r); };
    SetTabChain({shape_, sliders_[at(R::Radius)], fields_[at(R::Radius)], sliders_[at(R::BarLength)],
                 fields_[at(R::BarLength)], sliders_[at(R::BarWidth)], fields_[at(R::BarWidth)],
                 sliders_[at(R::Orientation)], fields_[at(R::Orientation)], sliders_[at(R::Contrast)],
                 fields_[at(R::Contrast)], sensitivity_, sliders_[at(R::SpatialFrequency)],
                 noise_[0], noise_[1], noise_[2], noise_[3], noise_[4], fields_[at(R::SpatialFrequency)], spins_[0],
                 spins_[1], spins_[2], black_, white_, ok});

    showView(OpenSelectStimulus());
    connect(this, &QDialog::finished, this, [] { CloseSelectStimulus(); });
}

void SelectStimulusDialog::chooseShape(int entry) { showView(ChooseShape(entry)); }

void SelectStimulusDialog::typeField(StimulusRow row)
{
    QLineEdit* field = fields_[static_cast<int>(row)];
    showView(TypeStimulusField(row, field->text().toUtf8().constData()), field);
}

void SelectStimulusDialog::moveSlider(StimulusRow row)
{
    showView(MoveStimulusSlider(row, sliders_[static_cast<int>(row)]->value()));
}

void SelectStimulusDialog::typeSpin(StimulusSpin spin)
{
    NumberSpinBox* box = spins_[static_cast<int>(spin)];
    box->keepTypedText();
    showView(TypeStimulusSpin(spin, box->edit()->text().toUtf8().constData()), box);
}

void SelectStimulusDialog::stepSpin(StimulusSpin spin, int position)
{
    // Enter re-reports the position it already has: not a step.
    if (position != selectStimulusView.spin[static_cast<int>(spin)].position)
        showView(StepStimulusSpin(spin, position));
}

void SelectStimulusDialog::choosePolarity(int polarity) { showView(ChoosePolarity(polarity)); }

void SelectStimulusDialog::typeNoise(NoiseRow row)
{
    QLineEdit* field = noise_[static_cast<int>(row)];
    showView(TypeNoiseField(row, field->text().toUtf8().constData()), field);
}

void SelectStimulusDialog::showView(const SelectStimulusView& view, const QWidget* typing)
{
    {
        const QSignalBlocker quiet(shape_);
        shape_->setCurrentIndex(view.shape);
    }
    for (int i = 0; i < kStimulusRows; ++i) {
        ShowSlider(sliders_[i], view.slider[i]);
        if (fields_[i] != typing)
            ShowText(fields_[i], view.field[i].text);
        fields_[i]->setEnabled(view.field[i].enabled);
    }
    ShowField(sensitivity_, view.sensitivity);
    for (int i = 0; i < kStimulusSpins; ++i)
        spins_[i]->showView(view.spin[i], spins_[i] == typing);
    if (view.black)
        black_->setChecked(true);
    if (view.white)
        white_->setChecked(true);
    for (int i = 0; i < kNoiseRows; ++i) {
        if (noise_[i] != typing)
            ShowText(noise_[i], view.noise[i].text);
        noise_[i]->setEnabled(view.noise[i].enabled);
    }
    noiseMessage_->setText(Ui(view.noiseMessage));
    // The held change is made once the student has read the notice.
    if (view.flickerNotice) {
        ShowMessageOver(this, kFlickerNotice);
        showView(AcknowledgeFlickerNotice());
    }
}

QDialog* CreateSelectStimulusDialog(QWidget* parent) { return new SelectStimulusDialog(parent); }

void ShowSelectStimulusDialog(QWidget* parent)
{
    std::unique_ptr<QDialog> d(CreateSelectStimulusDialog(parent));
    d->exec();
}
