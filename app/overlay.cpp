#include "app/overlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>

namespace {

const QColor kTextColour(255, 255, 255);
const QColor kBoxColour(128, 128, 128);

int32_t Advance(const QFontMetrics& metrics, const std::string& text)
{
    return metrics.horizontalAdvance(QString::fromStdString(text));
}

// A text on an opaque grey box as wide as its drawn (trimmed) part.
QRect DrawBoxedText(QPainter& painter, const QFontMetrics& metrics, int32_t x, int32_t top, const std::string& text)
{
    const QString shown = QString::fromStdString(WithoutTrailingBlanks(text));
    const QRect box(x, top, metrics.horizontalAdvance(shown), metrics.height());
    painter.fillRect(box, kBoxColour);
    painter.drawText(x, top + metrics.ascent(), shown);
    return box;
}

}  // namespace

QFont OverlayFont(int32_t lineHeight)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    const int32_t wanted = std::max(lineHeight, 1);
    // Every paint asks for two heights: remember the answers for the face
    // they were found with.
    static QString searchedFamily;
    static std::array<int32_t, 64> pixelSizeFor{};
    if (font.family() != searchedFamily) {
        searchedFamily = font.family();
        pixelSizeFor.fill(0);
    }
    const bool cached = wanted < static_cast<int32_t>(pixelSizeFor.size());
    if (cached && pixelSizeFor[static_cast<size_t>(wanted)] > 0) {
        font.setPixelSize(pixelSizeFor[static_cast<size_t>(wanted)]);
        return font;
    }
    // The line is taller than the em (ascent and descent with the face's
    // gaps), so the largest fitting size lies at or below the height itself.
    int32_t size = wanted;
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= wanted) break;
    }
    font.setPixelSize(size);
    if (cached) pixelSizeFor[static_cast<size_t>(wanted)] = size;
    return font;
}

OverlayWidths MeasureOverlay(const OverlayTexts& texts, const QFont& font)
{
    const QFontMetrics metrics(font);
    int32_t left = Advance(metrics, texts.first);
    if (!texts.second.empty()) left += Advance(metrics, texts.second);
    return {left, Advance(metrics, texts.peak)};
}

std::array<QRect, 3> DrawOverlay(QPainter& painter, const OverlayTexts& texts, const OverlayLayout& layout,
                                 int32_t clientWidth)
{
    const QFont font = OverlayFont(layout.lineHeight);
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(kTextColour);
    // Each text reads in its own direction (an Arabic readout right to left)
    // from where the layout puts it, whatever the window's: under a
    // right-to-left window the English line's leading blank moved to its end.
    painter.setLayoutDirection(Qt::LayoutDirectionAuto);
    std::array<QRect, 3> boxes{};
    const int32_t firstWidth = Advance(metrics, texts.first);
    if (!texts.first.empty()) boxes[0] = DrawBoxedText(painter, metrics, 0, 0, texts.first);
    if (!texts.second.empty()) boxes[1] = DrawBoxedText(painter, metrics, firstWidth, 0, texts.second);
    boxes[2] = DrawBoxedText(painter, metrics, clientWidth - Advance(metrics, texts.peak), layout.peakTop, texts.peak);
    return boxes;
}
