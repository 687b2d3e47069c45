// The "Select stimulus" dialog: construction and opening. There is no
// cancel: every change is already in the stimulus record, and OK, Esc and
// the close box all keep it.
#include "dialogs/select_stimulus_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "model/app_state.h"
#include "render/number_format.h"
#include "stimulus/stimulus_state.h"

using namespace SelectStimulusIds;

namespace {

struct SliderRow {
    QSlider* slider;
    QLineEdit* edit;
};

SliderRow AddSliderRow(QDialog* d, QGridLayout* grid, int row, const char* label, int sliderId,
                       int minimum, int maximum, int editId, const char* unit)
{
    SliderRow r{MakeSlider(sliderId, Qt::Horizontal, minimum, maximum, d), MakeNumberEdit(editId, d)};
    auto* caption = MakeLabel(QString::fromUtf8(label), d);
    caption->setBuddy(r.edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(r.slider, row, 1);
    grid->addWidget(r.edit, row, 2);
    grid->addWidget(MakeLabel(QString::fromUtf8(unit), d), row, 3);
    return r;
}

QSpinBox* AddUpDownRow(QDialog* d, QGroupBox* group, QGridLayout* grid, int row, const char* label, int editId,
                       int upDownId, int maximum, const char* unit)
{
    auto* edit = MakeNumberEdit(editId, group);
    auto* upDown = MakeUpDown(upDownId, 0, maximum, group);
    ForwardArrowKeys(edit, upDown);
    auto* caption = MakeLabel(QString::fromUtf8(label), group);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(upDown, row, 2);
    grid->addWidget(MakeLabel(QString::fromUtf8(unit), group), row, 3);
    QObject::connect(edit, &QLineEdit::textEdited, d, [d, editId] { selectStimulusChanged(d, editId); });
    QObject::connect(upDown, &QSpinBox::valueChanged, d, [d, upDownId] { selectStimulusChanged(d, upDownId); });
    return upDown;
}

void ConnectSliderRow(QDialog* d, const SliderRow& r, int sliderId, int editId)
{
    QObject::connect(r.slider, &QSlider::valueChanged, d, [d, sliderId] { selectStimulusChanged(d, sliderId); });
    QObject::connect(r.edit, &QLineEdit::textEdited, d, [d, editId] { selectStimulusChanged(d, editId); });
}

// Controls in the order of the template's Tab stops: the stimulus controls
// on the left, then the grating's, then polarity and OK.
void BuildControls(QDialog* d)
{
    auto* left = new QGridLayout;
    auto* list = new QComboBox(d);
    list->setObjectName(QString::number(kTypeList));
    list->addItems({QStringLiteral("Circular spot"), QStringLiteral("Annulus"), QStringLiteral("Rectangular bar"),
                    QStringLiteral("Sine wave grating")});
    left->addWidget(list, 0, 0, 1, 2);

    const SliderRow radius = AddSliderRow(d, left, 1, "Grating/spot radius", kRadiusSlider, 1, 160, kRadiusEdit, "degs");
    const SliderRow length = AddSliderRow(d, left, 2, "Bar length", kBarLengthSlider, 0, 280, kBarLengthEdit, "degs");
    const SliderRow width = AddSliderRow(d, left, 3, "Bar width", kBarWidthSlider, 0, 280, kBarWidthEdit, "degs");
    const SliderRow orient = AddSliderRow(d, left, 4, "Orientation", kOrientationSlider, 0, 360, kOrientationEdit, "degs");
    const SliderRow contrast = AddSliderRow(d, left, 5, "Contrast", kContrastSlider, -1, 40, kContrastEdit, "%");
    auto* sensitivity = MakeDisplayEdit(kSensitivityEdit, d);
    auto* sensitivityRow = new QHBoxLayout;
    auto* sensitivityLabel = MakeLabel(QStringLiteral("sensitivity"), d);
    sensitivityLabel->setBuddy(sensitivity);
    sensitivityRow->addWidget(sensitivityLabel);
    sensitivityRow->addWidget(sensitivity);
    sensitivityRow->addStretch();
    left->addLayout(sensitivityRow, 6, 1, 1, 3);

    auto* right = new QVBoxLayout;
    auto* sfGrid = new QGridLayout;
    const SliderRow sf = AddSliderRow(d, sfGrid, 0, "Spatial frequency", kSfSlider, -1, 220, kSfEdit, "c/deg");
    right->addLayout(sfGrid);

    auto* grating = new QGroupBox(QStringLiteral("Grating parameters"), d);
    auto* gratingGrid = new QGridLayout(grating);
    QSpinBox* velocity = AddUpDownRow(d, grating, gratingGrid, 0, "Velocity", kVelocityEdit, kVelocityUpDown, 200, "degs/s");
    QSpinBox* modulation =
        AddUpDownRow(d, grating, gratingGrid, 1, "Modulation rate", kModulationEdit, kModulationUpDown, 200, "Hz");
    QSpinBox* phase = AddUpDownRow(d, grating, gratingGrid, 2, "Phase", kPhaseEdit, kPhaseUpDown, 180, "degs");
    right->addWidget(grating);

    auto* black = new QRadioButton(QStringLiteral("Black"), d);
    black->setObjectName(QString::number(kBlack));
    auto* white = new QRadioButton(QStringLiteral("White"), d);
    white->setObjectName(QString::number(kWhite));
    auto* polarity = new QHBoxLayout;
    polarity->addWidget(black);
    polarity->addWidget(white);
    polarity->addStretch();
    right->addLayout(polarity);
    right->addStretch();

    QPushButton* ok = nullptr;
    right->addLayout(OkButtonRow(d, &ok));

    auto* top = new QHBoxLayout(d);
    top->addLayout(left);
    top->addSpacing(12);
    top->addLayout(right);

    ConnectSliderRow(d, radius, kRadiusSlider, kRadiusEdit);
    ConnectSliderRow(d, length, kBarLengthSlider, kBarLengthEdit);
    ConnectSliderRow(d, width, kBarWidthSlider, kBarWidthEdit);
    ConnectSliderRow(d, orient, kOrientationSlider, kOrientationEdit);
    ConnectSliderRow(d, contrast, kContrastSlider, kContrastEdit);
    ConnectSliderRow(d, sf, kSfSlider, kSfEdit);
    QObject::connect(list, &QComboBox::currentIndexChanged, d, [d] { selectStimulusChanged(d, kTypeList); });
    QObject::connect(black, &QRadioButton::clicked, d, [d] { selectStimulusChanged(d, kBlack); });
    QObject::connect(white, &QRadioButton::clicked, d, [d] { selectStimulusChanged(d, kWhite); });

    SetTabChain({list, radius.slider, radius.edit, length.slider, length.edit, width.slider, width.edit,
                 orient.slider, orient.edit, contrast.slider, contrast.edit, sensitivity, sf.slider, sf.edit,
                 grating->findChild<QLineEdit*>(QString::number(kVelocityEdit)), velocity,
                 grating->findChild<QLineEdit*>(QString::number(kModulationEdit)), modulation,
                 grating->findChild<QLineEdit*>(QString::number(kPhaseEdit)), phase, black, white, ok});
}

// The opening steps, in their order; setting a field runs its handling.
void FillFromStimulus(QDialog* d)
{
    {
        const QSignalBlocker quiet(Control<QComboBox>(d, kTypeList));
        Control<QComboBox>(d, kTypeList)->setCurrentIndex(stimulus.stimulusType - 1);
    }
    SetUpDownQuietly(Control<QSpinBox>(d, kVelocityUpDown), TruncInt(10.0f * stimulus.gratingVelocity));
    SetUpDownQuietly(Control<QSpinBox>(d, kModulationUpDown), TruncInt(10.0f * stimulus.modulationRate));
    SetUpDownQuietly(Control<QSpinBox>(d, kPhaseUpDown), TruncInt(stimulus.gratingPhase / 2.0f));

    EnableStimulusControls(d, stimulus.stimulusType);
    ShowStimulusRadius(d);

    SetSliderQuietly(Control<QSlider>(d, kBarLengthSlider), TruncInt(20.0f * stimulus.barLength));
    SetSliderQuietly(Control<QSlider>(d, kBarWidthSlider), TruncInt(20.0f * stimulus.barWidth));
    SetSliderQuietly(Control<QSlider>(d, kOrientationSlider), TruncInt(stimulus.orientation));
    SetSliderQuietly(Control<QSlider>(d, kContrastSlider), ContrastPositionFromValue(stimulus.contrastPercent));

    SetSliderQuietly(Control<QSlider>(d, kSfSlider), SfPositionAtOpening(stimulus.gratingSf));
    SetStimulusField(d, kSfEdit, RealText(TwoDecimals(stimulus.gratingSf)));

    SetStimulusField(d, kBarLengthEdit, RealText(stimulus.barLength));
    SetStimulusField(d, kBarWidthEdit, RealText(stimulus.barWidth));
    SetStimulusField(d, kOrientationEdit, RealText(stimulus.orientation));
    SetStimulusField(d, kVelocityEdit, RealText(stimulus.gratingVelocity));
    SetStimulusField(d, kModulationEdit, RealText(stimulus.modulationRate));
    SetStimulusField(d, kPhaseEdit, RealText(stimulus.gratingPhase));
    SetStimulusField(d, kContrastEdit, RealText(TwoDecimals(stimulus.contrastPercent)));
    Control<QLineEdit>(d, kSensitivityEdit)->setText(SensitivityText(stimulus.contrastPercent));

    Control<QRadioButton>(d, kBlack)->setChecked(stimulus.polarity == -1);
    Control<QRadioButton>(d, kWhite)->setChecked(stimulus.polarity == 1);
}

}  // namespace

QDialog* createSelectStimulusDialog(QWidget* parent)
{
    QDialog* d = NewDialog(parent, QStringLiteral("Select stimulus"));
    BuildControls(d);
    FillFromStimulus(d);

    // While the dialog is open in moving mode the stimulus stays on, in the
    // middle of the window, so every change can be seen; it goes back to
    // its former state when the dialog ends, whichever way. The position in
    // degrees moves with it, so the marks, the feedback and a resize use the
    // place the neuron sees.
    const bool wasOn = stimulus.stimulusOn;
    if (!stimulus.stationaryMode) {
        stimulus.mouseX = appState.clientWidth / 2;
        stimulus.mouseY = appState.clientHeight / 2;
        stimulus.stimX = static_cast<float>(stimulus.mouseX) * kDegreesPerPixel;
        stimulus.stimY = static_cast<float>(stimulus.mouseY) * kDegreesPerPixel;
        stimulus.stimulusOn = true;
    }
    QObject::connect(d, &QDialog::finished, d, [wasOn] { stimulus.stimulusOn = wasOn; });
    return d;
}

void openSelectStimulus(QWidget* parent)
{
    std::unique_ptr<QDialog> d(createSelectStimulusDialog(parent));
    d->exec();
}
