#pragma once
#include <QWidget>
#include <memory>
#include <thread>

#include "mapping/map_drain.h"

class QLabel;
class QProgressBar;
struct FastMapJob;
class QPushButton;
class QSpinBox;
class QTimer;
class PlotView;

// The Map window: the noise map of the ticks shown since it opened (or since
// Reset), the lag it is shown at and the counts. Beside the main window, not
// modal. About once a second a timer on the user-interface thread drains the
// neuron tick's ring into the map (mapping/map_drain.h) and redraws the
// figure the core lays out (mapping/map_picture.h).
class MapWindow : public QWidget {
    Q_OBJECT
public:
    explicit MapWindow(QWidget* owner);
    ~MapWindow() override;

    void poll();   // drains the ring and redraws (the timer calls it)
    void reset();  // the map afresh from the newest tick
    // Fast-forward: kFastForwardMinutes of the same noise over the same model
    // on a worker thread, added to the map when it ends; a second press stops it.
    void fastForward();
    bool fastForwarding() const { return job_ != nullptr; }
    const SpikeTriggeredAverage& map() const { return live_->map; }
    int lagTicks() const;
    QString status() const;

protected:
    void changeEvent(QEvent* event) override;  // a language switch

private:
    void finishFastForward();

    std::unique_ptr<LiveMap> live_;  // about 1 MB, so on the heap
    std::unique_ptr<FastMapJob> job_;  // while a fast-forward runs
    std::thread worker_;
    bool notRecorded_ = false;       // the last fast-forward's stretch missed the recording
    bool lagChosen_ = false;         // until the student picks a lag, the best is shown
    QSpinBox* lag_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* fast_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* fastTimer_ = nullptr;
    QLabel* status_ = nullptr;
    PlotView* view_ = nullptr;
    QTimer* timer_ = nullptr;
};

// The program's one Map window (made the first time, owned by owner), shown and raised.
MapWindow* ShowMapWindow(QWidget* owner);
