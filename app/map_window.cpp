#include "app/map_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/shown_text.h"
#include "app/plot_view.h"
#include "mapping/fast_map.h"
#include "mapping/map_picture.h"
#include "mapping/offline_map.h"
#include "mapping/map_scores.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr int kPollMs = 1000;  // the ring holds 10 s of ticks
constexpr int kProgressMs = 100;
QPointer<MapWindow> theWindow;

}  // namespace

MapWindow::MapWindow(QWidget* owner) : QWidget(owner, Qt::Window), live_(std::make_unique<LiveMap>())
{
    setObjectName(QStringLiteral("mapWindow"));
    SetUiTitle(this, kMapTitle);
    lag_ = new QSpinBox(this);
    lag_->setObjectName(QStringLiteral("lag"));
    lag_->setRange(0, kMapLagMsHigh);
    lag_->setSingleStep(kMapLagMs);
    reset_ = new QPushButton(this);
    SetUiText(reset_, kMapResetText);
    reset_->setObjectName(QStringLiteral("reset"));
    fast_ = new QPushButton(this);
    SetUiText(fast_, kMapFastForwardText);
    fast_->setObjectName(QStringLiteral("fastForward"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("fastProgress"));
    progress_->setRange(0, 1000);
    progress_->hide();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("mapStatus"));
    view_ = new PlotView(this, [this](double w, double h) {
        return MapPicture(live_->map, lagTicks(), ShownTrueField(live_->map, lagTicks()), w, h);
    });
    view_->setObjectName(QStringLiteral("mapView"));
    view_->setMinimumSize(520, 220);

    auto* controls = new QHBoxLayout;
    auto* lagLabel = UiLabel(kMapLagCaption, this);
    lagLabel->setBuddy(lag_);
    controls->addWidget(lagLabel);
    controls->addWidget(lag_);
    controls->addStretch(1);
    controls->addWidget(progress_);
    controls->addWidget(fast_);
    controls->addWidget(reset_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    layout->addWidget(status_);

    // A typed lag between the steps is taken to the tick it falls in.
    connect(lag_, &QSpinBox::valueChanged, this, [this] {
        lagChosen_ = true;
        view_->update();
    });
    connect(reset_, &QPushButton::clicked, this, &MapWindow::reset);
    connect(fast_, &QPushButton::clicked, this, &MapWindow::fastForward);
    fastTimer_ = new QTimer(this);
    fastTimer_->setInterval(kProgressMs);
    connect(fastTimer_, &QTimer::timeout, this, [this] {
        if (!job_) return;
        const int64_t done = job_->progress.load(std::memory_order_relaxed);
        progress_->setValue(static_cast<int>(done * 1000 / std::max<int64_t>(job_->ticksTotal, 1)));
        if (done >= job_->ticksTotal || job_->stop.load()) finishFastForward();
    });
    ResetLiveMap(*live_);
    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &MapWindow::poll);
    timer_->start();
    poll();
}

MapWindow::~MapWindow()
{
    if (job_) job_->stop = true;
    if (worker_.joinable()) worker_.join();
}

void MapWindow::fastForward()
{
    if (job_) {
        job_->stop = true;
        finishFastForward();
        return;
    }
    notRecorded_ = false;
    if (!IsNoise(stimulus.stimulusType)) return poll();
    DrainLiveMap(*live_);  // the live map of the noise now shown, to merge into
    job_ = PrepareFastMap(OfflineMapTicks(kFastForwardMinutes), static_cast<int32_t>(live_->map.ticks % 1000000) + 1,
                          &live_->map);
    FastMapJob* job = job_.get();
    worker_ = std::thread([job] { RunFastMap(*job); });
    SetUiText(fast_, kMapStopText);
    progress_->setValue(0);
    progress_->show();
    fastTimer_->start();
}

// Joins the worker (which has ended, or ends at the stop flag within a
// tick) and adds what it ran to the map and the recording (FinishFastMap's
// rule), the live map drained first so it goes on after the stretch.
void MapWindow::finishFastForward()
{
    fastTimer_->stop();
    if (worker_.joinable()) worker_.join();
    DrainLiveMap(*live_);
    if (job_) notRecorded_ = FinishFastMap(*job_, live_->map) == FastMapNotRecorded;
    job_.reset();
    SetUiText(fast_, kMapFastForwardText);
    progress_->hide();
    poll();
}

int MapWindow::lagTicks() const { return lag_->value() / kMapLagMs; }

QString MapWindow::status() const
{
    if (live_->map.ticks == 0 && !IsNoise(stimulus.stimulusType)) return Ui(kMapWaiting);
    return QString::fromStdString(MapCountsLine(live_->map, lagTicks(), ShownTrueField(live_->map, lagTicks())));
}

void MapWindow::poll()
{
    DrainLiveMap(*live_);
    if (!lagChosen_ && live_->map.spikes > 0) {
        const QSignalBlocker quiet(lag_);
        lag_->setValue(BestMapLag(live_->map) * kMapLagMs);
    }
    // The figure holds the counts; the line below it says only what to do first.
    status_->setText(Ui(MapNoticeText(live_->map, notRecorded_)));
    view_->update();
}

void MapWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        status_->setText(Ui(MapNoticeText(live_->map, notRecorded_)));
        view_->update();
    }
    QWidget::changeEvent(event);
}

void MapWindow::reset()
{
    if (job_) job_->stop = true, finishFastForward();
    ResetLiveMap(*live_);
    notRecorded_ = false;
    lagChosen_ = false;
    poll();
}

MapWindow* ShowMapWindow(QWidget* owner)
{
    if (!theWindow) theWindow = new MapWindow(owner);
    theWindow->show();
    theWindow->raise();
    theWindow->activateWindow();
    return theWindow;
}
