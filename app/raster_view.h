#pragma once
#include <QWidget>

#include "recording/recording_psth.h"

// Draws a raster (one row per trial, aligned on its onset, the stimulus
// period shaded, groups of a sweep's conditions labelled) over the PSTH of
// all its trials in spikes/s.
class RasterView : public QWidget {
    Q_OBJECT
public:
    explicit RasterView(QWidget* parent);
    void setRaster(Raster raster, double binSeconds);
    const Psth& psth() const { return psth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Raster raster_;
    Psth psth_;
};
