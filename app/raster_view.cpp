#include "app/raster_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/file_numbers.h"
#include "tuning/tuning_sweep.h"

namespace {

constexpr int kLeft = 56, kRight = 12, kTop = 10, kBottom = 28, kGap = 24;

QString Number(double v, int decimals) { return QString::fromStdString(FixedRealText(static_cast<float>(v), decimals)); }

// A round step for an axis spanning range with about n ticks.
double NiceStep(double range, int n)
{
    const double raw = range / std::max(n, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw > 0 ? raw : 1.0)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * power) return m * power;
    return 10.0 * power;
}

}  // namespace

RasterView::RasterView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("rasterView"));
    setMinimumSize(480, 420);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void RasterView::setRaster(Raster raster, double binSeconds)
{
    raster_ = std::move(raster);
    psth_ = BuildPsth(raster_, binSeconds, 0, static_cast<int32_t>(raster_.rows.size()));
    update();
}

void RasterView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int plotWidth = std::max(width() - kLeft - kRight, 10);
    const int rasterHeight = std::max((height() - kTop - kBottom - kGap) * 3 / 5, 10);
    const int psthTop = kTop + rasterHeight + kGap;
    const int psthHeight = std::max(height() - psthTop - kBottom, 10);
    const double span = std::max(raster_.to - raster_.from, 1e-3);
    auto xOf = [&](double t) { return kLeft + (t - raster_.from) / span * plotWidth; };
    const int rows = static_cast<int>(raster_.rows.size());
    const double rowHeight = rows > 0 ? static_cast<double>(rasterHeight) / rows : 0.0;

    // Rows: the stimulus period shaded, a tick per spike.
    for (int i = 0; i < rows; ++i) {
        const RasterRow& row = raster_.rows[static_cast<size_t>(i)];
        const double y = kTop + i * rowHeight;
        const double x0 = xOf(0.0), x1 = xOf(std::min(row.duration, raster_.to));
        painter.fillRect(QRectF(x0, y, std::max(x1 - x0, 1.0), rowHeight), QColor(255, 236, 170));
        painter.setPen(QPen(Qt::black, 1.0));
        for (const double s : row.spikes) {
            const double x = xOf(s);
            painter.drawLine(QPointF(x, y + rowHeight * 0.1), QPointF(x, y + rowHeight * 0.9));
        }
    }
    painter.setPen(QPen(QColor(90, 90, 90), 1.0));
    for (const RasterGroup& g : raster_.groups) {
        const double y = kTop + g.firstRow * rowHeight;
        if (g.firstRow > 0) painter.drawLine(QPointF(kLeft, y), QPointF(kLeft + plotWidth, y));
        if (g.field >= 0)
            painter.drawText(QRectF(0, y, kLeft - 4, g.rows * rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                             Number(g.condition, SweptFieldIsLogarithmic(g.field) ? 2 : 0));
    }
    painter.drawRect(QRectF(kLeft, kTop, plotWidth, rasterHeight));
    painter.drawText(QRectF(0, 0, kLeft - 4, kTop + 12), Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("%1 trials").arg(rows));

    // PSTH bars in spikes/s.
    const float peak = psth_.rate.empty() ? 0.0f : *std::max_element(psth_.rate.begin(), psth_.rate.end());
    const double top = std::max(10.0, NiceStep(peak * 1.1, 4) * std::ceil(peak * 1.1 / NiceStep(peak * 1.1, 4)));
    for (size_t b = 0; b < psth_.rate.size(); ++b) {
        const double t = psth_.from + static_cast<double>(b) * psth_.binSeconds;
        const double x0 = xOf(t), x1 = xOf(std::min(t + psth_.binSeconds, raster_.to));
        const double h = psth_.rate[b] / top * psthHeight;
        painter.fillRect(QRectF(x0, psthTop + psthHeight - h, std::max(x1 - x0, 1.0), h), QColor(40, 90, 170));
    }
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawRect(QRectF(kLeft, psthTop, plotWidth, psthHeight));
    const double rateStep = NiceStep(top, 4);
    for (double r = 0.0; r <= top + 1e-9; r += rateStep) {
        const double y = psthTop + psthHeight - r / top * psthHeight;
        painter.drawLine(QPointF(kLeft - 4, y), QPointF(kLeft, y));
        painter.drawText(QRectF(0, y - 8, kLeft - 6, 16), Qt::AlignRight | Qt::AlignVCenter, Number(r, 0));
    }
    painter.save();
    painter.translate(12, psthTop + psthHeight / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-60, -10, 120, 20), Qt::AlignCenter, QStringLiteral("spikes/s"));
    painter.restore();
    // Time axis under both, with the onset marked.
    const double timeStep = NiceStep(span, 6);
    for (double t = std::ceil(raster_.from / timeStep) * timeStep; t <= raster_.to + 1e-9; t += timeStep) {
        const double x = xOf(t);
        painter.drawLine(QPointF(x, psthTop + psthHeight), QPointF(x, psthTop + psthHeight + 4));
        painter.drawText(QRectF(x - 30, psthTop + psthHeight + 4, 60, 14), Qt::AlignCenter, Number(t, 1));
    }
    painter.setPen(QPen(QColor(200, 40, 40), 1.0, Qt::DashLine));
    painter.drawLine(QPointF(xOf(0.0), kTop), QPointF(xOf(0.0), psthTop + psthHeight));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(kLeft, height() - 12, plotWidth, 12), Qt::AlignCenter,
                     QStringLiteral("time from stimulus onset (s)"));
}
