// The "More options" dialog: the model options beyond the receptive field's
// shape. Every value comes from an up-down or a check box, so nothing typed
// can reach the record; the fields beside the up-downs only show values.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "dialogs/more_options_dialog.h"
#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "render/number_format.h"

using namespace MoreOptionsIds;

namespace {

void Notify(QDialog* d, int id) { moreOptionsChanged(d, id); }

QSpinBox* AddUpDownRow(QDialog* d, QGridLayout* grid, int row, QWidget* caption, int editId, int upDownId,
                       int minimum, int maximum, const char* unit)
{
    auto* edit = MakeDisplayEdit(editId, d);
    auto* upDown = MakeUpDown(upDownId, minimum, maximum, d);
    ForwardArrowKeys(edit, upDown);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(upDown, row, 2);
    grid->addWidget(MakeLabel(QString::fromUtf8(unit), d), row, 3);
    QObject::connect(upDown, &QSpinBox::valueChanged, d, [d, upDownId] { Notify(d, upDownId); });
    return upDown;
}

void BuildControls(QDialog* d)
{
    auto* grid = new QGridLayout;
    AddUpDownRow(d, grid, 0, MakeLabel(QStringLiteral("Retinal receptive field surround weighting"), d), kSurroundEdit,
                 kSurroundUpDown, 1, 200, "");
    AddUpDownRow(d, grid, 1, MakeLabel(QStringLiteral("Retinal spike train gamma parameter (a)"), d), kGammaEdit,
                 kGammaUpDown, 1, 10, "");

    auto* list = new QComboBox(d);
    list->setObjectName(QString::number(kCellTypeList));
    list->addItems({QStringLiteral("RGG ON"), QStringLiteral("RGC OFF"), QStringLiteral("simple"),
                    QStringLiteral("DS simple"), QStringLiteral("complex")});
    QObject::connect(list, &QComboBox::currentIndexChanged, d, [d] { Notify(d, kCellTypeList); });
    auto* rateCaption = new QWidget(d);
    auto* rateRow = new QHBoxLayout(rateCaption);
    rateRow->setContentsMargins(0, 0, 0, 0);
    rateRow->addWidget(list);
    rateRow->addWidget(MakeLabel(QStringLiteral("spontaneous rate"), d));
    rateRow->addStretch();
    AddUpDownRow(d, grid, 2, rateCaption, kRateEdit, kRateUpDown, 0, 110, "Hz");

    auto* saturating = new QCheckBox(QStringLiteral("use saturating I/O; half-max contrast ="), d);
    saturating->setObjectName(QString::number(kSaturatingCheck));
    QObject::connect(saturating, &QCheckBox::clicked, d, [d] { Notify(d, kSaturatingCheck); });
    AddUpDownRow(d, grid, 3, saturating, kHalfMaxEdit, kHalfMaxUpDown, 1, 100, "%");

    auto* hash = new QCheckBox(QStringLiteral("Add background hash"), d);
    hash->setObjectName(QString::number(kHashCheck));
    QObject::connect(hash, &QCheckBox::clicked, d, [d] { Notify(d, kHashCheck); });
    grid->addWidget(hash, 4, 0, 1, 4);

    QHBoxLayout* buttons = OkButtonRow(d);

    auto* top = new QVBoxLayout(d);
    top->addLayout(grid);
    top->addSpacing(8);
    top->addLayout(buttons);
}

QSpinBox* UpDown(QDialog* d, int id) { return Control<QSpinBox>(d, id); }
QLineEdit* Field(QDialog* d, int id) { return Control<QLineEdit>(d, id); }
bool Checked(QDialog* d, int id) { return Control<QCheckBox>(d, id)->isChecked(); }

}  // namespace

float RateFromCode(int position)
{
    if (position < 10)
        return static_cast<float>(position) / 10.0f;
    return static_cast<float>(position - 9);
}

int RateCode(float rate)
{
    if (rate >= 1.0f)
        return TruncInt(rate) + 9;
    return TruncInt(rate * 10.0f);
}

void moreOptionsChanged(QDialog* d, int id)
{
    if (id == kSurroundUpDown) {
        modelOptions.surroundWeight = static_cast<float>(UpDown(d, kSurroundUpDown)->value()) / 50.0f;
        Field(d, kSurroundEdit)->setText(RealText(modelOptions.surroundWeight));
        buildFilters();
    }
    modelOptions.gammaOrder = UpDown(d, kGammaUpDown)->value();
    Field(d, kGammaEdit)->setText(QString::number(modelOptions.gammaOrder));

    const int k = Control<QComboBox>(d, kCellTypeList)->currentIndex() + 1;
    const bool typeChosen = k >= OnCentreX && k <= Complex;
    if (id == kCellTypeList && typeChosen)
        SetUpDownQuietly(UpDown(d, kRateUpDown), RateCode(modelOptions.spontaneousRate[k]));
    const float rate = RateFromCode(UpDown(d, kRateUpDown)->value());
    Field(d, kRateEdit)->setText(RealText(rate));
    if (typeChosen)
        modelOptions.spontaneousRate[k] = rate;

    modelOptions.saturatingIO = Checked(d, kSaturatingCheck);
    modelOptions.halfMaxContrast = static_cast<float>(UpDown(d, kHalfMaxUpDown)->value());
    Field(d, kHalfMaxEdit)->setText(RealText(modelOptions.halfMaxContrast));
    modelOptions.backgroundHash = Checked(d, kHashCheck);
    applyCellTypeRates();
}

QDialog* createMoreOptionsDialog(QWidget* parent)
{
    QDialog* d = NewDialog(parent, QStringLiteral("More options"));
    BuildControls(d);

    SetUpDownQuietly(UpDown(d, kSurroundUpDown), TruncInt(modelOptions.surroundWeight * 50.0f));
    Field(d, kSurroundEdit)->setText(RealText(modelOptions.surroundWeight));
    SetUpDownQuietly(UpDown(d, kGammaUpDown), modelOptions.gammaOrder);
    const int type = receptiveField.cellType;
    {
        const QSignalBlocker quiet(Control<QComboBox>(d, kCellTypeList));
        Control<QComboBox>(d, kCellTypeList)->setCurrentIndex(type - 1);
    }
    if (type >= OnCentreX && type <= Complex)
        SetUpDownQuietly(UpDown(d, kRateUpDown), RateCode(modelOptions.spontaneousRate[type]));
    Control<QCheckBox>(d, kSaturatingCheck)->setChecked(modelOptions.saturatingIO);
    SetUpDownQuietly(UpDown(d, kHalfMaxUpDown), TruncInt(modelOptions.halfMaxContrast));
    Control<QCheckBox>(d, kHashCheck)->setChecked(modelOptions.backgroundHash);

    // Applying once fills the shown values and settles the record on what
    // the controls hold.
    moreOptionsChanged(d, 0);
    return d;
}

void openMoreOptions(QWidget* parent)
{
    std::unique_ptr<QDialog> d(createMoreOptionsDialog(parent));
    d->exec();
}
