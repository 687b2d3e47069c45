#include "app/map_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/plot_view.h"
#include "mapping/map_picture.h"
#include "mapping/map_scores.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr int kPollMs = 1000;  // the ring holds 10 s of ticks
QPointer<MapWindow> theWindow;

}  // namespace

MapWindow::MapWindow(QWidget* owner) : QWidget(owner, Qt::Window), live_(std::make_unique<LiveMap>())
{
    setObjectName(QStringLiteral("mapWindow"));
    setWindowTitle(QString::fromUtf8(kMapTitle));
    lag_ = new QSpinBox(this);
    lag_->setObjectName(QStringLiteral("lag"));
    lag_->setRange(0, kMapLagMsHigh);
    lag_->setSingleStep(kMapLagMs);
    reset_ = new QPushButton(QString::fromUtf8(kMapResetText), this);
    reset_->setObjectName(QStringLiteral("reset"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("mapStatus"));
    view_ = new PlotView(this, [this](double w, double h) {
        return MapPicture(live_->map, lagTicks(), ShownTrueField(live_->map, lagTicks()), w, h);
    });
    view_->setObjectName(QStringLiteral("mapView"));
    view_->setMinimumSize(520, 220);

    auto* controls = new QHBoxLayout;
    auto* lagLabel = new QLabel(QString::fromUtf8(kMapLagCaption), this);
    lagLabel->setBuddy(lag_);
    controls->addWidget(lagLabel);
    controls->addWidget(lag_);
    controls->addStretch(1);
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
    ResetLiveMap(*live_);
    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &MapWindow::poll);
    timer_->start();
    poll();
}

MapWindow::~MapWindow() = default;

int MapWindow::lagTicks() const { return lag_->value() / kMapLagMs; }

QString MapWindow::status() const
{
    if (live_->map.ticks == 0 && !IsNoise(stimulus.stimulusType)) return QString::fromUtf8(kMapWaiting);
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
    status_->setText(live_->map.ticks == 0 && !IsNoise(stimulus.stimulusType) ? QString::fromUtf8(kMapWaiting) : QString());
    view_->update();
}

void MapWindow::reset()
{
    ResetLiveMap(*live_);
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
