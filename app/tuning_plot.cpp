#include "app/tuning_plot.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "tuning/tuning_sweep.h"

namespace {

QString AxisTitle(int32_t field)
{
    // The field's name with a capital, as axis titles go.
    QString name = QString::fromUtf8(SweptFieldName(field));
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    return name;
}

}  // namespace

void DrawTuningCurve(QChart* chart, int32_t field, const std::vector<CurvePoint>& unsorted)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    std::vector<CurvePoint> curve = unsorted;
    std::sort(curve.begin(), curve.end(), [](const CurvePoint& a, const CurvePoint& b) { return a.value < b.value; });
    const bool logarithmic = SweptFieldIsLogarithmic(field);

    QAbstractAxis* x = nullptr;
    if (logarithmic) {
        auto* axis = new QLogValueAxis;
        axis->setBase(10.0);
        axis->setLabelFormat(QStringLiteral("%g"));
        x = axis;
    } else {
        auto* axis = new QValueAxis;
        axis->setLabelFormat(QStringLiteral("%g"));
        x = axis;
    }
    x->setTitleText(AxisTitle(field));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Spike rate (spikes/s)"));
    y->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    auto* line = new QLineSeries;
    line->setName(QStringLiteral("Mean rate"));
    auto* dots = new QScatterSeries;
    dots->setName(QStringLiteral("Points"));
    dots->setMarkerSize(8.0);
    double top = 1.0, low = 0.0, high = 1.0;
    bool first = true;
    for (const CurvePoint& p : curve) {
        line->append(p.value, p.meanRate);
        dots->append(p.value, p.meanRate);
        top = std::max(top, static_cast<double>(p.meanRate + p.semRate));
        low = first ? p.value : std::min(low, static_cast<double>(p.value));
        high = first ? p.value : std::max(high, static_cast<double>(p.value));
        first = false;
    }
    QList<QAbstractSeries*> all{line, dots};
    for (const CurvePoint& p : curve) {
        if (p.repeats < 2) continue;
        auto* bar = new QLineSeries;
        bar->append(p.value, std::max(0.0f, p.meanRate - p.semRate));
        bar->append(p.value, p.meanRate + p.semRate);
        bar->setPen(QPen(Qt::darkGray, 1.5));
        all.append(bar);
    }
    for (QAbstractSeries* series : all) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // Only the two main series belong in the legend, not every error bar.
    for (qsizetype i = 2; i < all.size(); ++i)
        for (QLegendMarker* marker : chart->legend()->markers(all[i])) marker->setVisible(false);

    if (field == FieldOrientation) {
        x->setRange(0.0, 360.0);
        static_cast<QValueAxis*>(x)->setTickCount(9);
    } else if (!first) {
        const double pad = logarithmic ? 1.25 : 0.0;
        if (logarithmic) x->setRange(low / pad, high * pad);
        else x->setRange(low - (high - low) * 0.05 - 0.01, high + (high - low) * 0.05 + 0.01);
    }
    y->setRange(0.0, top * 1.1);
    y->applyNiceNumbers();
}
