// The "Feedback" dialog after a hand plot: the true receptive field against
// the student's estimate, which is the stimulus as it was left (its centre,
// its orientation and, for a grating, its spatial frequency). Read only.
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "dialogs/feedback_fields.h"
#include "model/receptive_field.h"
#include "render/number_format.h"
#include "stimulus/stimulus_state.h"

namespace {

const char* const kRowNames[] = {"Actual", "Your estimate", "Difference", "Distance"};

// One group: a row per entry of ids (0 leaves the cell empty), a column per
// entry of a row; headers above the columns when given.
QGroupBox* AddGroup(QDialog* d, const char* title, std::initializer_list<std::initializer_list<int>> rows,
                    std::initializer_list<const char*> headers = {})
{
    auto* group = new QGroupBox(QString::fromUtf8(title), d);
    auto* grid = new QGridLayout(group);
    int column = 1;
    for (const char* header : headers)
        grid->addWidget(MakeLabel(QString::fromUtf8(header), group), 0, column++, Qt::AlignHCenter);
    int row = headers.size() > 0 ? 1 : 0;
    int index = 0;
    for (const auto& ids : rows) {
        grid->addWidget(MakeLabel(QString::fromUtf8(kRowNames[index++]), group), row, 0);
        column = 1;
        for (int id : ids)
            grid->addWidget(MakeDisplayEdit(id, group), row, column++);
        ++row;
    }
    return group;
}

// A value to 0.1, halves away from zero. Values too large for tenths to
// mean anything stay as they are, so they show as an overflowing field
// instead of a clamped number.
float ToTenth(float v)
{
    if (!(std::fabs(v) < 1e8f))
        return v;
    return static_cast<float>(NearestInt(v * 10.0f)) / 10.0f;
}

void Show(QDialog* d, int id, const QString& text) { Control<QLineEdit>(d, id)->setText(text); }

const char* TypeText(int cellType)
{
    switch (cellType) {
    case Simple: return "simple";
    case DirectionalSimple: return "directionally selective simple";
    case Complex: return "complex";
    default: return "";
    }
}

void FillScores(QDialog* d)
{
    Show(d, kTypeText, QString::fromUtf8(TypeText(receptiveField.cellType)));

    float difference = receptiveField.orientation - stimulus.orientation;
    // A simple cell's field looks the same turned by 180 degrees, so its
    // difference is folded once into -90..90.
    if (receptiveField.cellType == Simple) {
        if (difference > 90.0f)
            difference -= 180.0f;
        if (difference < -90.0f)
            difference += 180.0f;
    }
    Show(d, kOrientationActual, IntegerText(NearestInt(receptiveField.orientation)));
    Show(d, kOrientationEstimate, IntegerText(NearestInt(stimulus.orientation)));
    Show(d, kOrientationDifference, IntegerText(NearestInt(difference)));

    const float dx = ToTenth(stimulus.stimX - receptiveField.centreX);
    const float dy = ToTenth(stimulus.stimY - receptiveField.centreY);
    Show(d, kXActual, RealText(ToTenth(receptiveField.centreX)));
    Show(d, kYActual, RealText(ToTenth(receptiveField.centreY)));
    Show(d, kXEstimate, RealText(ToTenth(stimulus.stimX)));
    Show(d, kYEstimate, RealText(ToTenth(stimulus.stimY)));
    Show(d, kXDifference, RealText(dx));
    Show(d, kYDifference, RealText(dy));
    Show(d, kDistance, RealText(ToTenth(std::sqrt(dx * dx + dy * dy))));

    if (stimulus.stimulusType == Grating) {
        Show(d, kSfActual, RealText(ToTenth(receptiveField.spatialFrequency)));
        Show(d, kSfEstimate, RealText(ToTenth(stimulus.gratingSf)));
        Show(d, kSfDifference, RealText(ToTenth(stimulus.gratingSf - receptiveField.spatialFrequency)));
    } else {
        for (int id : {kSfActual, kSfEstimate, kSfDifference})
            Show(d, id, QStringLiteral("*"));
    }
}

}  // namespace

QDialog* createFeedbackDialog(QWidget* parent)
{
    QDialog* d = NewDialog(parent, QStringLiteral("Feedback"));

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(MakeLabel(QStringLiteral("RF type ="), d));
    auto* typeText = MakeDisplayEdit(kTypeText, d, 30);
    typeText->setAlignment(Qt::AlignLeft);
    typeRow->addWidget(typeText, 1);

    auto* top = new QVBoxLayout(d);
    top->addLayout(typeRow);
    auto* scalars = new QHBoxLayout;
    scalars->addWidget(AddGroup(d, "Orientation (degrees)",
                                {{kOrientationActual}, {kOrientationEstimate}, {kOrientationDifference}}));
    scalars->addWidget(AddGroup(d, "Spatial frequency (c/deg)", {{kSfActual}, {kSfEstimate}, {kSfDifference}}));
    top->addLayout(scalars);
    top->addWidget(AddGroup(d, "Position (degrees)",
                            {{kXActual, kYActual}, {kXEstimate, kYEstimate}, {kXDifference, kYDifference}, {kDistance}},
                            {"X", "Y"}));

    QPushButton* ok = nullptr;
    top->addLayout(OkButtonRow(d, &ok));
    ok->setFocus();

    FillScores(d);
    return d;
}

void showFeedback(QWidget* parent)
{
    std::unique_ptr<QDialog> d(createFeedbackDialog(parent));
    d->exec();
}
