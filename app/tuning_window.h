#pragma once
#include <QString>
#include <QWidget>
#include <vector>

#include "tuning/tuning_analysis.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class PlotView;

// The tuning-curve recorder's window: choose what to sweep, start and stop,
// watch the curve grow, save the numbers and the picture. Not modal: the
// main window, the stimulus and the clicks go on while it records. A timer
// on the user-interface thread moves the sweep on from the neuron tick's ring.
class TuningWindow : public QWidget {
    Q_OBJECT
public:
    explicit TuningWindow(QWidget* owner);
    ~TuningWindow() override;

    void start();
    void stop();
    // Reads the ticks reported since the last call (the timer calls it).
    void poll();
    // Write the measured points or the plot; a failure shows a message and
    // leaves the points in memory. Return true when the file was written.
    bool saveData(const QString& path);
    bool savePicture(const QString& path);
    QString summary() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void parameterChanged();
    void refresh();
    // Where the points will be shown: the centring choice while the field is
    // visible, the stimulus position when it is not centred.
    void refreshPlacement();
    void showProgress();
    void reportFailure(const QString& text);

    QComboBox* parameter_ = nullptr;
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QSpinBox* points_ = nullptr;
    QDoubleSpinBox* step_ = nullptr;
    QSpinBox* repeats_ = nullptr;
    QDoubleSpinBox* presentation_ = nullptr;
    QCheckBox* centre_ = nullptr;
    QLabel* placement_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QProgressBar* progress_ = nullptr;
    PlotView* view_ = nullptr;
    std::vector<CurvePoint> curve_;  // as last drawn
    QLabel* summary_ = nullptr;
    QTimer* timer_ = nullptr;
    QTimer* placementTimer_ = nullptr;
    size_t shownPoints_ = static_cast<size_t>(-1);  // none yet: the first refresh writes the summary
};

// Opens the one recorder window of the program (creating it the first time),
// owned by the main window.
TuningWindow* ShowTuningWindow(QWidget* owner);
