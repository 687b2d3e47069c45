#include "dialogs/feedback_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <utility>

#include "app/shown_text.h"
#include "controls/dialog_labels.h"
#include "controls/feedback_rules.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"

namespace {

// One field of a group and the score it shows.
using Score = std::pair<int, const char*>;

// One group: a row per entry of rows, a column per score of a row; headers
// above the columns when given.
QGroupBox* AddGroup(QDialog* d, const char* title, std::initializer_list<std::initializer_list<Score>> rows,
                    std::initializer_list<const char*> headers = {})
{
    auto* group = UiWidget<QGroupBox>(title, d);
    auto* grid = new QGridLayout(group);
    int column = 1;
    for (const char* header : headers)
        grid->addWidget(MakeLabel(header, group), 0, column++, Qt::AlignHCenter);
    int row = headers.size() > 0 ? 1 : 0;
    int index = 0;
    for (const auto& scores : rows) {
        grid->addWidget(MakeLabel(kFeedbackRowNames[index++], group), row, 0);
        column = 1;
        for (const auto& [id, text] : scores) {
            QLineEdit* field = MakeDisplayEdit(id, group);
            field->setText(QString::fromUtf8(text));
            grid->addWidget(field, row, column++);
        }
        ++row;
    }
    return group;
}

}  // namespace

FeedbackDialog::FeedbackDialog(QWidget* parent) : QDialog(parent)
{
    SetUpDialog(this, kFeedbackTitle);
    const FeedbackView& f = ShowFeedbackScores();

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(MakeLabel(kFeedbackTypeCaption, this));
    auto* typeText = MakeDisplayEdit(kTypeText, this, 30);
    typeText->setAlignment(Qt::AlignLeft);
    typeText->setText(Ui(f.typeText));
    typeRow->addWidget(typeText, 1);

    auto* top = new QVBoxLayout(this);
    top->addLayout(typeRow);
    auto* scalars = new QHBoxLayout;
    scalars->addWidget(AddGroup(this, kFeedbackGroupTitles[0],
                                {{{kOrientationActual, f.orientationActual}},
                                 {{kOrientationEstimate, f.orientationEstimate}},
                                 {{kOrientationDifference, f.orientationDifference}}}));
    scalars->addWidget(AddGroup(this, kFeedbackGroupTitles[1],
                                {{{kSfActual, f.sfActual}}, {{kSfEstimate, f.sfEstimate}},
                                 {{kSfDifference, f.sfDifference}}}));
    top->addLayout(scalars);
    top->addWidget(AddGroup(this, kFeedbackGroupTitles[2],
                            {{{kXActual, f.xActual}, {kYActual, f.yActual}},
                             {{kXEstimate, f.xEstimate}, {kYEstimate, f.yEstimate}},
                             {{kXDifference, f.xDifference}, {kYDifference, f.yDifference}},
                             {{kDistance, f.distance}}},
                            {kFeedbackAxes[0], kFeedbackAxes[1]}));

    QPushButton* ok = nullptr;
    top->addLayout(OkButtonRow(this, &ok));
    ok->setFocus();
}

QDialog* CreateFeedbackDialog(QWidget* parent) { return new FeedbackDialog(parent); }

void ShowFeedbackDialog(QWidget* parent)
{
    std::unique_ptr<QDialog> d(CreateFeedbackDialog(parent));
    d->exec();
}
