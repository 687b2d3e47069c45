// The "Receptive field parameters" dialog: construction and opening. All its
// effects are in the receptive field record and the filters at once; nothing
// is read back when it closes.
#include "dialogs/rf_dialog.h"

#include <QButtonGroup>
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
#include <algorithm>
#include <memory>

#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "model/filters.h"
#include "model/receptive_field.h"
#include "model/app_state.h"
#include "render/number_format.h"
#include "stimulus/stimulus_state.h"

using namespace RfDialogIds;

namespace {

void Notify(QDialog* d, int id) { rfDialogChanged(d, id); }

QLineEdit* AddEditRow(QDialog* d, QWidget* owner, QGridLayout* grid, int row, const char* label, int editId,
                      int upDownId, int minimum, int maximum, const char* unit)
{
    auto* edit = MakeNumberEdit(editId, owner);
    auto* caption = MakeLabel(QString::fromUtf8(label), owner);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    auto* upDown = MakeUpDown(upDownId, minimum, maximum, owner);
    ForwardArrowKeys(edit, upDown);
    grid->addWidget(upDown, row, 2);
    QObject::connect(upDown, &QSpinBox::valueChanged, d, [d, upDownId] { Notify(d, upDownId); });
    grid->addWidget(MakeLabel(QString::fromUtf8(unit), owner), row, 3);
    QObject::connect(edit, &QLineEdit::textEdited, d, [d, editId] { Notify(d, editId); });
    return edit;
}

QGroupBox* AddRadioGroup(QDialog* d, const char* title, std::initializer_list<std::pair<int, const char*>> items)
{
    auto* group = new QGroupBox(QString::fromUtf8(title), d);
    auto* column = new QVBoxLayout(group);
    for (const auto& [id, text] : items) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), group);
        radio->setObjectName(QString::number(id));
        column->addWidget(radio);
        QObject::connect(radio, &QRadioButton::clicked, d, [d, id = id] { Notify(d, id); });
    }
    return group;
}

QSlider* AddSlider(QDialog* d, QWidget* owner, int id, Qt::Orientation orientation, int maximum)
{
    auto* slider = MakeSlider(id, orientation, 0, maximum, owner);
    QObject::connect(slider, &QSlider::valueChanged, d, [d, id] { Notify(d, id); });
    return slider;
}

void BuildControls(QDialog* d)
{
    auto* list = new QComboBox(d);
    list->setObjectName(QString::number(kCellTypeList));
    list->addItems({QStringLiteral("retinal/LGN ON center X cell"), QStringLiteral("retinal/LGN OFF center X cell"),
                    QStringLiteral("simple cell"), QStringLiteral("DS simple cell"), QStringLiteral("Complex cell")});
    QObject::connect(list, &QComboBox::currentIndexChanged, d, [d] { Notify(d, kCellTypeList); });

    auto* left = new QVBoxLayout;
    left->addWidget(list);
    auto* fields = new QGridLayout;
    AddEditRow(d, d, fields, 0, "RGC center radius", kCentreEdit, kCentreUpDown, 3, 100, "degs");
    auto* orientationSlider = AddSlider(d, d, kOrientationSlider, Qt::Horizontal, 360);
    auto* orientationEdit = MakeNumberEdit(kOrientationEdit, d);
    QObject::connect(orientationEdit, &QLineEdit::textEdited, d, [d] { Notify(d, kOrientationEdit); });
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(orientationSlider, 1);
    orientationRow->addWidget(orientationEdit);
    orientationRow->addWidget(MakeLabel(QStringLiteral("degs"), d));
    fields->addWidget(MakeLabel(QStringLiteral("Orientation"), d), 1, 0);
    fields->addLayout(orientationRow, 1, 1, 1, 3);
    left->addLayout(fields);

    auto* position = new QGroupBox(QStringLiteral("Position"), d);
    auto* positionGrid = new QGridLayout(position);
    auto* horizontal = AddSlider(d, position, kHorizontalSlider, Qt::Horizontal, 0);
    auto* vertical = AddSlider(d, position, kVerticalSlider, Qt::Vertical, 0);
    // Rows grow downwards on the screen, so the vertical scale does too.
    vertical->setInvertedAppearance(true);
    vertical->setInvertedControls(true);
    vertical->setMinimumHeight(vertical->fontMetrics().height() * 6);
    positionGrid->addWidget(MakeLabel(QStringLiteral("Horizontal"), position), 0, 0);
    positionGrid->addWidget(horizontal, 1, 0);
    positionGrid->addWidget(vertical, 0, 1, 3, 1, Qt::AlignHCenter);
    positionGrid->addWidget(MakeLabel(QStringLiteral("Vertical"), position), 3, 1, Qt::AlignHCenter);
    positionGrid->setRowStretch(2, 1);
    left->addWidget(position);
    left->addStretch();

    auto* display = AddRadioGroup(d, "Display", {{kGreyScale, "Grey scale"}, {kOutlines, "Outlines"}, {kHide, "Hide"}});
    auto* updates = AddRadioGroup(d, "Position updates",
                                  {{kLeaveWhereSelected, "Leave where selected"},
                                   {kRandomisePosition, "Randomise position and orientation"},
                                   {kRandomiseEverything, "Randomise everything"}});
    auto* gabor = new QGroupBox(QStringLiteral("Gabor parameters"), d);
    auto* gaborGrid = new QGridLayout(gabor);
    AddEditRow(d, gabor, gaborGrid, 0, "SF", kSfEdit, kSfUpDown, 1, 100, "c/deg");
    AddEditRow(d, gabor, gaborGrid, 1, "Phase", kPhaseEdit, kPhaseUpDown, 0, 72, "degs");
    AddEditRow(d, gabor, gaborGrid, 2, "Width", kWidthEdit, kWidthUpDown, 1, 100, "degs");
    AddEditRow(d, gabor, gaborGrid, 3, "Length", kLengthEdit, kLengthUpDown, 1, 100, "degs");

    QHBoxLayout* buttons = OkButtonRow(d);

    auto* right = new QVBoxLayout;
    right->addWidget(display);
    right->addWidget(updates);
    right->addWidget(gabor);
    right->addStretch();
    right->addLayout(buttons);

    auto* top = new QHBoxLayout(d);
    top->addLayout(left);
    top->addSpacing(12);
    top->addLayout(right);
}

void FillFromReceptiveField(QDialog* d)
{
    const float dpp = kDegreesPerPixel;
    const int maxX = std::max(0, TruncInt(static_cast<float>(appState.clientWidth) * 10.0f * dpp));
    const int maxY = std::max(0, TruncInt(static_cast<float>(appState.clientHeight) * 10.0f * dpp));
    for (auto [id, maximum] : {std::pair{kHorizontalSlider, maxX}, std::pair{kVerticalSlider, maxY}}) {
        const QSignalBlocker quiet(Control<QSlider>(d, id));
        Control<QSlider>(d, id)->setRange(0, maximum);
    }
    SetUpDownQuietly(Control<QSpinBox>(d, kCentreUpDown), TruncInt(receptiveField.centreSigma * 50.0f));
    SetUpDownQuietly(Control<QSpinBox>(d, kSfUpDown), TruncInt(receptiveField.spatialFrequency * 10.0f));
    SetUpDownQuietly(Control<QSpinBox>(d, kPhaseUpDown), TruncInt(receptiveField.phase / 5.0f));
    SetUpDownQuietly(Control<QSpinBox>(d, kWidthUpDown), TruncInt(receptiveField.width * 10.0f));
    SetUpDownQuietly(Control<QSpinBox>(d, kLengthUpDown), TruncInt(receptiveField.length * 10.0f));
    SetSliderQuietly(Control<QSlider>(d, kOrientationSlider), TruncInt(receptiveField.orientation));
    SetSliderQuietly(Control<QSlider>(d, kHorizontalSlider), TruncInt(receptiveField.centreX * 10.0f));
    SetSliderQuietly(Control<QSlider>(d, kVerticalSlider), TruncInt(receptiveField.centreY * 10.0f));

    {
        const QSignalBlocker quiet(Control<QComboBox>(d, kCellTypeList));
        Control<QComboBox>(d, kCellTypeList)->setCurrentIndex(receptiveField.cellType - 1);
    }

    // A revealed field shows the choice its next new field returns to.
    const int shown = receptiveField.displayMode;
    const int display = shown == Revealed ? receptiveField.savedDisplayMode.load() : shown;
    if (display >= GreyScale && display <= Hidden)
        Control<QRadioButton>(d, kGreyScale + display - 1)->setChecked(true);
    const int randomise = receptiveField.randomiseMode;
    if (randomise >= LeaveWhereSelected && randomise <= RandomiseEverything)
        Control<QRadioButton>(d, kLeaveWhereSelected + randomise - 1)->setChecked(true);

    const std::pair<int, float> texts[] = {
        {kCentreEdit, receptiveField.centreSigma}, {kOrientationEdit, receptiveField.orientation},
        {kSfEdit, receptiveField.spatialFrequency}, {kPhaseEdit, receptiveField.phase},
        {kWidthEdit, receptiveField.width},         {kLengthEdit, receptiveField.length}};
    for (const auto& [id, value] : texts)
        Control<QLineEdit>(d, id)->setText(RealText(value));

    ReadRfDialogRadios(d);
    buildFilters();
}

}  // namespace

QDialog* createRfDialog(QWidget* parent)
{
    QDialog* d = NewDialog(parent, QStringLiteral("Receptive field parameters"));
    BuildControls(d);
    FillFromReceptiveField(d);
    return d;
}

void openRfDialog(QWidget* parent)
{
    std::unique_ptr<QDialog> d(createRfDialog(parent));
    d->exec();
}
