#include "app/plot_view.h"

#include <QPainter>

namespace {

QColor ColourOf(uint32_t c) { return QColor((c >> 16) & 0xff, (c >> 8) & 0xff, c & 0xff); }

}  // namespace

void PaintPlotPicture(QPainter& painter, const PlotPicture& picture)
{
    painter.fillRect(QRectF(0, 0, picture.width, picture.height), ColourOf(picture.background));
    QFont font = painter.font();
    font.setPixelSize(picture.fontPixels);
    painter.setFont(font);
    painter.setLayoutDirection(Qt::LayoutDirectionAuto);  // each label in its own text's direction
    for (const PlotShape& s : picture.shapes) {
        const QColor colour = ColourOf(s.colour);
        const QRectF box(QPointF(s.x0, s.y0), QPointF(s.x1, s.y1));
        switch (s.kind) {
        case ShapeFill: painter.fillRect(box, colour); break;
        case ShapeOutline:
            painter.setPen(QPen(colour, 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
            break;
        case ShapeLine:
            painter.setPen(QPen(colour, 1.0, s.dashed ? Qt::DashLine : Qt::SolidLine));
            painter.drawLine(QPointF(s.x0, s.y0), QPointF(s.x1, s.y1));
            break;
        default: {
            painter.save();
            painter.setPen(colour);
            painter.translate(s.x0, s.y0);
            if (s.vertical) painter.rotate(-90);
            // A wide box about the anchor, aligned inside it as asked: in
            // absolute terms, or a right-to-left language would flip every
            // label to the far side of its box, off the picture.
            constexpr double kWide = 2000.0, kTall = 40.0;
            const double left = s.align == AlignStart ? 0.0 : s.align == AlignMiddle ? -kWide / 2 : -kWide;
            const Qt::Alignment h = s.align == AlignStart ? Qt::AlignLeft : s.align == AlignMiddle ? Qt::AlignHCenter
                                                                                                   : Qt::AlignRight;
            painter.drawText(QRectF(left, -kTall / 2, kWide, kTall), h | Qt::AlignVCenter | Qt::AlignAbsolute,
                             QString::fromStdString(s.text));
            painter.restore();
            break;
        }
        }
    }
}

PlotView::PlotView(QWidget* parent, Layout layout) : QWidget(parent), layout_(std::move(layout))
{
    // Axes run left to right in every language: a right-to-left window
    // mirrors its controls around the plot, never the plot itself.
    setLayoutDirection(Qt::LeftToRight);
}

void PlotView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintPlotPicture(painter, layout_(width(), height()));
}
