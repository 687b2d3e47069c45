#include "app/record_window.h"

#include <QEvent>
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

#include "controls/shell_texts.h"
#include "app/shown_text.h"
#include "app/plot_view.h"
#include "files/recording_files.h"
#include "app/save_failure.h"
#include "model/receptive_field.h"
#include "recording/recording.h"
#include "recording/raster_picture.h"
#include "recording/recording_psth.h"

namespace {

constexpr int kPollMs = 50;  // a few neuron ticks per drain; the log holds minutes
QPointer<RecordWindow> theWindow;

}  // namespace

RecordWindow::RecordWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    const RecordPanelTexts texts;
    setObjectName(QStringLiteral("recordWindow"));
    SetUiTitle(this, texts.title);
    record_ = new QCheckBox(this);
    SetUiText(record_, texts.record);
    record_->setObjectName(QStringLiteral("record"));
    bin_ = new QSpinBox(this);
    bin_->setObjectName(QStringLiteral("binWidth"));
    bin_->setRange(static_cast<int>(texts.bin.low), static_cast<int>(texts.bin.high));
    bin_->setSingleStep(static_cast<int>(texts.bin.step));
    bin_->setValue(static_cast<int>(texts.bin.value));
    SetUiUnit(bin_, texts.bin.unit);
    // A file dialog follows these two, hence the ellipses.
    savePicture_ = new QPushButton(this);
    SetUiText(savePicture_, texts.savePicture, "…");
    saveData_ = new QPushButton(this);
    SetUiText(saveData_, texts.exportData, "…");
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("recordStatus"));
    view_ = new PlotView(this, [this](double w, double h) { return RasterPicture(raster_, psth_, w, h); });
    view_->setObjectName(QStringLiteral("rasterView"));
    view_->setMinimumSize(480, 420);

    auto* controls = new QHBoxLayout;
    controls->addWidget(record_);
    controls->addSpacing(12);
    auto* binLabel = UiLabel(texts.bin.label, this, ":");
    binLabel->setBuddy(bin_);
    controls->addWidget(binLabel);
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
    connect(savePicture_, &QPushButton::clicked, this, [this, texts] {
        const QString path = QFileDialog::getSaveFileName(this, Ui(texts.savePicture),
                                                          QString::fromUtf8(texts.pictureFile), Ui(kPictureFilter));
        if (!path.isEmpty()) savePicture(path);
    });
    connect(saveData_, &QPushButton::clicked, this, [this, texts] {
        const QString path = QFileDialog::getSaveFileName(this, Ui(texts.exportData),
                                                          QString::fromUtf8(texts.nwbFile), Ui(kRecordingFilter));
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

void RecordWindow::poll()
{
    DrainRecording();
    refresh();
}

void RecordWindow::refresh()
{
    raster_ = BuildRaster(recording);
    psth_ = BuildPsth(raster_, bin_->value() / 1000.0, 0, static_cast<int32_t>(raster_.rows.size()));
    view_->update();
    status_->setText(QString::fromStdString(RecordCountsText()));
}

void RecordWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) refresh();  // the counts line and the picture
    QWidget::changeEvent(event);
}

QString RecordWindow::status() const { return status_->text(); }

bool RecordWindow::savePicture(const QString& path)
{
    return SavePictureOrTell(view_, path, this, RecordPanelTexts{}.title);
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
    ShowSaveFailure(this, RecordPanelTexts{}.title, text);
}

RecordWindow* TheRecordWindow(QWidget* owner)
{
    if (!theWindow) theWindow = new RecordWindow(owner);
    return theWindow;
}

void AddRecordActions(QMenu* menu, QWidget* owner)
{
    // Off at start-up: a recording begins only when the student asks.
    const MenuItem& recordItem = kMeasureMenu[MeasureRecord];
    const MenuItem& windowItem = kMeasureMenu[MeasureRaster];
    QAction* record = menu->addAction(QString());
    SetUiText(record, recordItem.text);
    record->setObjectName(QString::fromLatin1(recordItem.name));
    record->setCheckable(true);
    QAction* window = menu->addAction(QString());
    SetUiText(window, windowItem.text);
    window->setObjectName(QString::fromLatin1(windowItem.name));
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
