#pragma once
#include <QWidget>

#include "recording/recording_psth.h"

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTimer;
class PlotView;

// The recording's window: the Record toggle, the raster of every trial over
// its PSTH (updated live while recording), the bin width, and saving the
// picture or the data. Beside the main window, not modal. A timer on the
// user-interface thread drains the neuron tick's spike log while it records,
// whether the window is shown or not.
class RecordWindow : public QWidget {
    Q_OBJECT
public:
    explicit RecordWindow(QWidget* owner);

    void setRecording(bool on);
    // Drains the spike log and redraws (the timer calls it).
    void poll();
    bool savePicture(const QString& path);
    // NWB or CSV by the name's ending; a failure shows a message.
    bool saveData(const QString& path);
    QString status() const;

signals:
    void recordingChanged(bool on);

protected:
    void changeEvent(QEvent* event) override;  // a language switch

private:
    void refresh();
    void reportFailure(const QString& text);

    QCheckBox* record_ = nullptr;
    QSpinBox* bin_ = nullptr;
    QPushButton* savePicture_ = nullptr;
    QPushButton* saveData_ = nullptr;
    QLabel* status_ = nullptr;
    PlotView* view_ = nullptr;
    Raster raster_;  // as last drawn
    Psth psth_;
    QTimer* timer_ = nullptr;
};

// The program's one recording window (made the first time), owned by the
// main window; shown when asked.
RecordWindow* TheRecordWindow(QWidget* owner);

// Measure menu: "Record" (a toggle, off at start-up) and the window.
void AddRecordActions(QMenu* menu, QWidget* owner);
