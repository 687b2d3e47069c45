#include "app/overlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace {

const QColor kTextColour(255, 255, 255);
const QColor kBoxColour(128, 128, 128);

int32_t Advance(const QFontMetrics& metrics, const std::string& text)
{
    return metrics.horizontalAdvance(QString::fromStdString(text));
}

// A text on an opaque grey box as wide as its drawn (trimmed) part.
void DrawBoxedText(QPainter& painter, const QFontMetrics& metrics, int32_t x, const std::string& text)
{
    const QString shown = QString::fromStdString(WithoutTrailingBlanks(text));
    painter.fillRect(QRect(x, 0, metrics.horizontalAdvance(shown), metrics.height()), kBoxColour);
    painter.drawText(x, metrics.ascent(), shown);
}

}  // namespace

QFont OverlayFont(int32_t pixelHeight)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(pixelHeight < 1 ? 1 : pixelHeight);
    return font;
}

int32_t MeasureOverlay(const OverlayTexts& texts, const QFont& font)
{
    const QFontMetrics metrics(font);
    int32_t width = Advance(metrics, texts.first) + Advance(metrics, texts.peak);
    if (!texts.second.empty()) width += Advance(metrics, texts.second);
    return width;
}

int32_t DrawOverlay(QPainter& painter, const OverlayTexts& texts, const QFont& font, int32_t clientWidth)
{
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(kTextColour);
    const int32_t firstWidth = Advance(metrics, texts.first);
    const int32_t peakWidth = Advance(metrics, texts.peak);
    int32_t width = firstWidth + peakWidth;
    if (!texts.first.empty()) DrawBoxedText(painter, metrics, 0, texts.first);
    if (!texts.second.empty()) {
        DrawBoxedText(painter, metrics, firstWidth, texts.second);
        width += Advance(metrics, texts.second);
    }
    DrawBoxedText(painter, metrics, clientWidth - peakWidth, texts.peak);
    return width;
}
