#include "app/tuning_window.h"

#include <QChart>
#include <QChartView>
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

#include "app/save_failure.h"
#include "app/tuning_plot.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"
#include "tuning/tuning_analysis.h"
#include "formats/tuning_csv.h"
#include "tuning/tuning_sweep.h"

namespace {

constexpr int kPollMs = 50;  // a few neuron ticks per look at the ring
constexpr int kPlacementMs = 250;  // the field and the stimulus move while the window is open

QDoubleSpinBox* NumberBox(QWidget* parent, const char* name, double low, double high, double value, int decimals)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(decimals);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QPointer<TuningWindow> theWindow;

}  // namespace

TuningWindow::TuningWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("tuningWindow"));
    setWindowTitle(QStringLiteral("Tuning curve"));

    parameter_ = new QComboBox(this);
    parameter_->setObjectName(QStringLiteral("parameter"));
    parameter_->addItems({QStringLiteral("Orientation"), QStringLiteral("Spatial frequency"),
                          QStringLiteral("Size (radius or bar length)"), QStringLiteral("Contrast")});
    from_ = NumberBox(this, "from", 0.0, 360.0, 0.0, 2);
    to_ = NumberBox(this, "to", 0.0, 360.0, 360.0, 2);
    points_ = new QSpinBox(this);
    points_->setObjectName(QStringLiteral("points"));
    points_->setRange(2, 60);
    step_ = NumberBox(this, "step", 5.0, 180.0, 30.0, 1);
    step_->setSuffix(QStringLiteral(" deg"));
    repeats_ = new QSpinBox(this);
    repeats_->setObjectName(QStringLiteral("repeats"));
    repeats_->setRange(1, 20);
    repeats_->setValue(2);
    presentation_ = NumberBox(this, "presentation", 0.2, 60.0, 1.0, 1);
    presentation_->setSuffix(QStringLiteral(" s"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Parameter:"), parameter_);
    form->addRow(QStringLiteral("Orientation &step:"), step_);
    form->addRow(QStringLiteral("&From:"), from_);
    form->addRow(QStringLiteral("&To:"), to_);
    form->addRow(QStringLiteral("P&oints:"), points_);
    form->addRow(QStringLiteral("&Repeats:"), repeats_);
    form->addRow(QStringLiteral("Presentation &time:"), presentation_);
    centre_ = new QCheckBox(QStringLiteral("Centre on the receptive field"), this);
    centre_->setObjectName(QStringLiteral("centreOnField"));
    centre_->setChecked(true);
    form->addRow(centre_);
    placement_ = new QLabel(this);
    placement_->setObjectName(QStringLiteral("placement"));
    placement_->setWordWrap(true);
    form->addRow(placement_);

    start_ = new QPushButton(QStringLiteral("Start"), this);
    start_->setObjectName(QStringLiteral("start"));
    stop_ = new QPushButton(QStringLiteral("Stop"), this);
    stop_->setObjectName(QStringLiteral("stop"));
    auto* saveData = new QPushButton(QStringLiteral("Save data…"), this);
    saveData->setObjectName(QStringLiteral("saveData"));
    auto* savePicture = new QPushButton(QStringLiteral("Save picture…"), this);
    savePicture->setObjectName(QStringLiteral("savePicture"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {start_, stop_, saveData, savePicture}) buttons->addWidget(b);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Tuning curve (0.5 s blank between points; bars: ±1 s.e.m.)"));
    view_ = new QChartView(chart, this);
    view_->setObjectName(QStringLiteral("plot"));
    view_->setRenderHint(QPainter::Antialiasing);
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
    connect(saveData, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save data"), QStringLiteral("tuning.csv"),
                                                          QStringLiteral("CSV files (*.csv);;All files (*)"));
        if (!path.isEmpty()) this->saveData(path);
    });
    connect(savePicture, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save picture"), QStringLiteral("tuning.png"),
                                                          QStringLiteral("PNG images (*.png);;All files (*)"));
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
    const int parameter = parameter_->currentIndex();
    const SweepDefaults d = DefaultsOfSweep(parameter);
    const bool orientation = parameter == SweepOrientation;
    for (QDoubleSpinBox* box : {from_, to_}) {
        box->setDecimals(d.decimals + 1);
        box->setRange(d.low, d.high);
    }
    from_->setValue(d.from);
    to_->setValue(d.to);
    points_->setValue(d.points);
    step_->setEnabled(orientation);
    from_->setEnabled(!orientation);
    to_->setEnabled(!orientation);
    points_->setEnabled(!orientation);
}

void TuningWindow::start()
{
    if (SweepRunning()) return;
    const int parameter = parameter_->currentIndex();
    const int32_t ticks = NearestInt(presentation_->value() / kTickSeconds);
    SweepPlan plan;
    if (parameter == SweepOrientation) {
        plan = OrientationPlan(static_cast<float>(step_->value()), repeats_->value(), ticks);
    } else {
        plan.parameter = parameter;
        plan.from = static_cast<float>(from_->value());
        plan.to = static_cast<float>(to_->value());
        plan.points = points_->value();
        plan.repeats = repeats_->value();
        plan.presentTicks = ticks;
    }
    plan.centreOnField = centre_->isChecked();
    if (!StartSweep(plan)) return;
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
    const std::vector<CurvePoint> curve = AverageRepeats(tuningSweep.points);
    DrawTuningCurve(view_->chart(), tuningSweep.field, curve);
    summary_->setText(QString::fromStdString(SummaryText(tuningSweep.field, SummariseCurve(tuningSweep.field, curve))));
}

void TuningWindow::showProgress()
{
    const int64_t perStep = static_cast<int64_t>(tuningSweep.plan.blankTicks) + tuningSweep.plan.presentTicks;
    const int64_t total = std::max<int64_t>(1, static_cast<int64_t>(SweepTotalSteps()) * perStep);
    const int64_t left = SweepTicksLeft();
    progress_->setRange(0, static_cast<int>(std::min<int64_t>(total, 1 << 30)));
    const bool none = !SweepRunning() && tuningSweep.points.empty();
    progress_->setValue(none ? 0 : static_cast<int>(std::clamp<int64_t>(total - left, 0, progress_->maximum())));
    if (SweepRunning()) {
        const int seconds = static_cast<int>((left * 20 + 999) / 1000);
        progress_->setFormat(QStringLiteral("%p% — %1 s left").arg(seconds));
    } else {
        progress_->setFormat(QStringLiteral("%1 points measured").arg(tuningSweep.points.size()));
    }
}

void TuningWindow::refreshPlacement()
{
    // While the field is hidden for a hand plot, centring would show where it is.
    const bool fieldShown = receptiveField.displayMode != Hidden;
    centre_->setVisible(fieldShown);
    const bool centred = SweepRunning() ? tuningSweep.centred : fieldShown && centre_->isChecked();
    placement_->setVisible(!centred);
    if (centred) return;
    placement_->setText(QStringLiteral("The sweep is shown at the stimulus position (%1°, %2°)")
                            .arg(static_cast<double>(stimulus.stimX.load()), 0, 'f', 1)
                            .arg(static_cast<double>(stimulus.stimY.load()), 0, 'f', 1));
}

QString TuningWindow::summary() const { return summary_->text(); }

bool TuningWindow::saveData(const QString& path)
{
    const std::string text = TuningCsvText(tuningSweep.field, tuningSweep.points);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !file.commit()) {
        reportFailure(QStringLiteral("The data could not be saved to %1:\n%2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool TuningWindow::savePicture(const QString& path)
{
    return SavePictureOrTell(view_, path, this, QStringLiteral("Tuning curve"));
}

void TuningWindow::reportFailure(const QString& text)
{
    ShowSaveFailure(this, QStringLiteral("Tuning curve"), text);
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
