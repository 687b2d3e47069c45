#pragma once
#include <QWidget>
#include <functional>

#include "tuning/plot_picture.h"

class QPainter;

// Paints a figure the core laid out (tuning/plot_picture.h): its shapes in
// order, in its colours and font size. The page paints the same shapes.
void PaintPlotPicture(QPainter& painter, const PlotPicture& picture);

// A view that asks the core for its figure at its own size whenever it is
// painted: the tuning curve, the raster and PSTH.
class PlotView : public QWidget {
    Q_OBJECT
public:
    using Layout = std::function<PlotPicture(double width, double height)>;
    PlotView(QWidget* parent, Layout layout);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Layout layout_;
};
