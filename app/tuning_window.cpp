#include "app/tuning_window.h"

#include <QEvent>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/shown_text.h"
#include "app/plot_view.h"
#include "app/save_failure.h"
#include "controls/shell_texts.h"
#include "formats/tuning_csv.h"
#include "tuning/curve_picture.h"
#include "tuning/tuning_analysis.h"
#include "tuning/tuning_form.h"
#include "tuning/tuning_sweep.h"

namespace {

constexpr int kPollMs = 50;  // a few neuron ticks per look at the ring
constexpr int kPlacementMs = 250;  // the field and the stimulus move while the window is open

QString Text(const char* text) { return Ui(text); }

// A field's label as the form lays it out, "Presentation &time:", its
// letter leading to the field.
QLabel* RowLabel(QWidget* field, const char* label)
{
    QLabel* shown = UiLabel(label, field->parentWidget(), ":");
    shown->setBuddy(field);
    return shown;
}

void SetField(QDoubleSpinBox* box, const FormNumber& f)
{
    box->setDecimals(f.decimals);
    box->setRange(f.low, f.high);
    box->setSingleStep(f.step);
    if (*f.unit != '\0') SetUiUnit(box, f.unit);
    box->setValue(f.value);
}

void SetField(QSpinBox* box, const FormNumber& f)
{
    box->setRange(static_cast<int>(f.low), static_cast<int>(f.high));
    box->setSingleStep(static_cast<int>(f.step));
    box->setValue(static_cast<int>(f.value));
}

template <typename Box>
Box* NumberBox(QWidget* parent, const char* name, const FormNumber& f)
{
    auto* box = new Box(parent);
    box->setObjectName(QString::fromLatin1(name));
    SetField(box, f);
    return box;
}

QPointer<TuningWindow> theWindow;

}  // namespace

TuningWindow::TuningWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    const TuningForm f = TuningFormOf(SweepOrientation);
    setObjectName(QStringLiteral("tuningWindow"));
    SetUiTitle(this, f.title);

    parameter_ = new QComboBox(this);
    parameter_->setObjectName(QStringLiteral("parameter"));
    SetUiItems(parameter_, f.parameters);
    step_ = NumberBox<QDoubleSpinBox>(this, "step", f.step);
    from_ = NumberBox<QDoubleSpinBox>(this, "from", f.from);
    to_ = NumberBox<QDoubleSpinBox>(this, "to", f.to);
    points_ = NumberBox<QSpinBox>(this, "points", f.points);
    repeats_ = NumberBox<QSpinBox>(this, "repeats", f.repeats);
    presentation_ = NumberBox<QDoubleSpinBox>(this, "presentation", f.seconds);

    auto* form = new QFormLayout;
    form->addRow(RowLabel(parameter_, f.parameterLabel), parameter_);
    form->addRow(RowLabel(step_, f.step.label), step_);
    form->addRow(RowLabel(from_, f.from.label), from_);
    form->addRow(RowLabel(to_, f.to.label), to_);
    form->addRow(RowLabel(points_, f.points.label), points_);
    form->addRow(RowLabel(repeats_, f.repeats.label), repeats_);
    form->addRow(RowLabel(presentation_, f.seconds.label), presentation_);
    centre_ = new QCheckBox(this);
    SetUiText(centre_, f.centreText);
    centre_->setObjectName(QStringLiteral("centreOnField"));
    centre_->setChecked(f.centreChecked);
    form->addRow(centre_);
    placement_ = new QLabel(this);
    placement_->setObjectName(QStringLiteral("placement"));
    placement_->setWordWrap(true);
    form->addRow(placement_);

    start_ = new QPushButton(this);
    SetUiText(start_, f.start);
    start_->setObjectName(QStringLiteral("start"));
    stop_ = new QPushButton(this);
    SetUiText(stop_, f.stop);
    stop_->setObjectName(QStringLiteral("stop"));
    // A file dialog follows these two, hence the ellipses.
    auto* saveData = new QPushButton(this);
    SetUiText(saveData, f.saveData, "…");
    saveData->setObjectName(QStringLiteral("saveData"));
    auto* savePicture = new QPushButton(this);
    SetUiText(savePicture, f.savePicture, "…");
    savePicture->setObjectName(QStringLiteral("savePicture"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {start_, stop_, saveData, savePicture}) buttons->addWidget(b);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);

    view_ = new PlotView(this, [this](double w, double h) { return TuningCurvePicture(tuningSweep.field, curve_, w, h); });
    view_->setObjectName(QStringLiteral("plot"));
    view_->setMinimumSize(520, 340);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(side);
    top->addWidget(view_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(summary_);
    layout->addWidget(progress_);
    layout->addLayout(buttons);

    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &TuningWindow::poll);
    placementTimer_ = new QTimer(this);
    placementTimer_->setInterval(kPlacementMs);
    connect(placementTimer_, &QTimer::timeout, this, &TuningWindow::refreshPlacement);
    placementTimer_->start();
    connect(centre_, &QCheckBox::toggled, this, &TuningWindow::refreshPlacement);
    connect(parameter_, &QComboBox::currentIndexChanged, this, &TuningWindow::parameterChanged);
    connect(start_, &QPushButton::clicked, this, &TuningWindow::start);
    connect(stop_, &QPushButton::clicked, this, &TuningWindow::stop);
    connect(saveData, &QPushButton::clicked, this, [this, f] {
        const QString path = QFileDialog::getSaveFileName(this, Text(f.saveData), Text(f.dataFile),
                                                          Text(kCsvFilter));
        if (!path.isEmpty()) this->saveData(path);
    });
    connect(savePicture, &QPushButton::clicked, this, [this, f] {
        const QString path = QFileDialog::getSaveFileName(this, Text(f.savePicture), Text(f.pictureFile),
                                                          Text(kPictureFilter));
        if (!path.isEmpty()) this->savePicture(path);
    });
    parameterChanged();
    refresh();
    refreshPlacement();
}

TuningWindow::~TuningWindow()
{
    // The stimulus must not stay in the sweep's hands once nobody drives it.
    StopSweep();
}

void TuningWindow::parameterChanged()
{
    const TuningForm f = TuningFormOf(parameter_->currentIndex());
    SetField(from_, f.from);
    SetField(to_, f.to);
    SetField(points_, f.points);
    step_->setEnabled(f.stepUsed);
    from_->setEnabled(!f.stepUsed);
    to_->setEnabled(!f.stepUsed);
    points_->setEnabled(!f.stepUsed);
}

void TuningWindow::start()
{
    if (SweepRunning()) return;
    const TuningFormValues values{parameter_->currentIndex(),
                                  step_->value(),
                                  from_->value(),
                                  to_->value(),
                                  static_cast<double>(points_->value()),
                                  static_cast<double>(repeats_->value()),
                                  presentation_->value(),
                                  centre_->isChecked()};
    if (!StartSweep(PlanOfForm(values))) return;
    shownPoints_ = static_cast<size_t>(-1);
    timer_->start();
    refresh();
}

void TuningWindow::stop()
{
    timer_->stop();
    StopSweep();
    refresh();
}

void TuningWindow::poll()
{
    PollSweep();
    if (!SweepRunning()) timer_->stop();
    refresh();
}

void TuningWindow::refresh()
{
    const bool running = SweepRunning();
    start_->setEnabled(!running);
    stop_->setEnabled(running);
    parameter_->setEnabled(!running);
    centre_->setEnabled(!running);
    showProgress();
    if (shownPoints_ == tuningSweep.points.size()) return;
    shownPoints_ = tuningSweep.points.size();
    curve_ = AverageRepeats(tuningSweep.points);
    view_->update();
    summary_->setText(QString::fromStdString(SummaryText(tuningSweep.field, SummariseCurve(tuningSweep.field, curve_))));
}

void TuningWindow::showProgress()
{
    const int64_t perStep = static_cast<int64_t>(tuningSweep.plan.blankTicks) + tuningSweep.plan.presentTicks;
    const int64_t total = std::max<int64_t>(1, static_cast<int64_t>(SweepTotalSteps()) * perStep);
    const int64_t left = SweepTicksLeft();
    progress_->setRange(0, static_cast<int>(std::min<int64_t>(total, 1 << 30)));
    const bool none = !SweepRunning() && tuningSweep.points.empty();
    progress_->setValue(none ? 0 : static_cast<int>(std::clamp<int64_t>(total - left, 0, progress_->maximum())));
    progress_->setFormat(QString::fromStdString(
        TuningProgressText(SweepRunning(), static_cast<int32_t>(tuningSweep.points.size()), SweepTotalSteps(), left)));
}

void TuningWindow::refreshPlacement()
{
    centre_->setVisible(TuningFormOf(SweepOrientation).centreShown);
    const QString text = QString::fromStdString(TuningPlacementText(centre_->isChecked()));
    placement_->setVisible(!text.isEmpty());
    placement_->setText(text);
}

QString TuningWindow::summary() const { return summary_->text(); }

bool TuningWindow::saveData(const QString& path)
{
    const std::string text = TuningCsvText(tuningSweep.field, tuningSweep.points);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !file.commit()) {
        reportFailure(QString::fromStdString(TrArgs(kDataNotSaved, {path.toStdString(), file.errorString().toStdString()})));
        return false;
    }
    return true;
}

bool TuningWindow::savePicture(const QString& path)
{
    return SavePictureOrTell(view_, path, this, TuningFormOf(SweepOrientation).title);
}

void TuningWindow::reportFailure(const QString& text)
{
    ShowSaveFailure(this, TuningFormOf(SweepOrientation).title, text);
}

void TuningWindow::changeEvent(QEvent* event)
{
    // The summary, progress and placement lines are the core's, composed in
    // the language in force: composed anew, the sweep going on meanwhile.
    if (event->type() == QEvent::LanguageChange) {
        shownPoints_ = static_cast<size_t>(-1);
        refresh();
        refreshPlacement();
    }
    QWidget::changeEvent(event);
}

void TuningWindow::closeEvent(QCloseEvent* event)
{
    // Closing ends a sweep at once; the measured points stay for the next look.
    stop();
    QWidget::closeEvent(event);
}

TuningWindow* ShowTuningWindow(QWidget* owner)
{
    if (!theWindow) theWindow = new TuningWindow(owner);
    theWindow->show();
    theWindow->raise();
    theWindow->activateWindow();
    return theWindow;
}
