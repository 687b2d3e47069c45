#include "app/record_window.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/raster_view.h"
#include "files/recording_files.h"
#include "app/save_failure.h"
#include "model/receptive_field.h"
#include "recording/recording.h"
#include "recording/recording_psth.h"

namespace {

constexpr int kPollMs = 50;  // a few neuron ticks per drain; the log holds minutes
QPointer<RecordWindow> theWindow;

}  // namespace

RecordWindow::RecordWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("recordWindow"));
    setWindowTitle(QStringLiteral("Recording"));
    record_ = new QCheckBox(QStringLiteral("Record"), this);
    record_->setObjectName(QStringLiteral("record"));
    bin_ = new QSpinBox(this);
    bin_->setObjectName(QStringLiteral("binWidth"));
    bin_->setRange(5, 100);
    bin_->setValue(10);
    bin_->setSuffix(QStringLiteral(" ms"));
    savePicture_ = new QPushButton(QStringLiteral("Save picture…"), this);
    saveData_ = new QPushButton(QStringLiteral("Export data…"), this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("recordStatus"));
    view_ = new RasterView(this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(record_);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("PSTH bin:"), this));
    controls->addWidget(bin_);
    controls->addStretch(1);
    controls->addWidget(savePicture_);
    controls->addWidget(saveData_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    layout->addWidget(status_);

    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &RecordWindow::poll);
    connect(record_, &QCheckBox::toggled, this, &RecordWindow::setRecording);
    connect(bin_, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(savePicture_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save picture"), QStringLiteral("raster.png"),
                                                          QStringLiteral("PNG image (*.png)"));
        if (!path.isEmpty()) savePicture(path);
    });
    connect(saveData_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export data"), QStringLiteral("recording.nwb"),
                                                          QStringLiteral("NWB file (*.nwb);;CSV files (*.csv)"));
        if (!path.isEmpty()) saveData(path);
    });
    resize(640, 560);
    refresh();
}

void RecordWindow::setRecording(bool on)
{
    if (on == recording.on) return;
    if (on) {
        StartRecording();
        timer_->start();
    } else {
        StopRecording();
        timer_->stop();
    }
    record_->setChecked(on);
    refresh();
    emit recordingChanged(on);
}

bool RecordWindow::isRecording() const { return recording.on; }

void RecordWindow::poll()
{
    DrainRecording();
    refresh();
}

void RecordWindow::setBinMilliseconds(int ms) { bin_->setValue(ms); }

void RecordWindow::refresh()
{
    view_->setRaster(BuildRaster(recording), bin_->value() / 1000.0);
    QString text = QStringLiteral("%1 s recorded, %2 spikes, %3 trials")
                       .arg(RecordingSeconds(), 0, 'f', 1)
                       .arg(recording.spikes.size())
                       .arg(recording.trials.size());
    if (recording.lost > 0) text += QStringLiteral(" (%1 events lost)").arg(recording.lost);
    status_->setText(recording.any || recording.on ? text : QStringLiteral("Not recording."));
}

QString RecordWindow::status() const { return status_->text(); }

bool RecordWindow::savePicture(const QString& path)
{
    return SavePictureOrTell(view_, path, this, QStringLiteral("Recording"));
}

bool RecordWindow::saveData(const QString& path)
{
    DrainRecording();
    const std::string failure =
        WriteRecordingFile(path.toStdString(), recording, receptiveField.displayMode == Hidden);
    if (failure.empty()) return true;
    reportFailure(QString::fromStdString(failure));
    return false;
}

void RecordWindow::reportFailure(const QString& text)
{
    ShowSaveFailure(this, QStringLiteral("Recording"), text);
}

RecordWindow* TheRecordWindow(QWidget* owner)
{
    if (!theWindow) theWindow = new RecordWindow(owner);
    return theWindow;
}

void AddRecordActions(QMenu* menu, QWidget* owner)
{
    // Off at start-up: a recording begins only when the student asks.
    QAction* record = menu->addAction(QStringLiteral("Record"));
    record->setObjectName(QStringLiteral("recordToggle"));
    record->setCheckable(true);
    QAction* window = menu->addAction(QStringLiteral("Raster and PSTH…"));
    window->setObjectName(QStringLiteral("rasterWindow"));
    QObject::connect(record, &QAction::toggled, owner, [owner](bool on) {
        RecordWindow* w = TheRecordWindow(owner);
        w->setRecording(on);
        if (on) w->show(), w->raise();
    });
    QObject::connect(window, &QAction::triggered, owner, [owner] {
        RecordWindow* w = TheRecordWindow(owner);
        w->show();
        w->raise();
        w->activateWindow();
    });
    // The window's own toggle keeps the menu's in step.
    QObject::connect(TheRecordWindow(owner), &RecordWindow::recordingChanged, record, &QAction::setChecked);
}
