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
void DrawBoxedText(QPainter& painter, const QFontMetrics& metrics, int32_t x, const std::string& text)
{
    const QString shown = QString::fromStdString(WithoutTrailingBlanks(text));
    painter.fillRect(QRect(x, 0, metrics.horizontalAdvance(shown), metrics.height()), kBoxColour);
    painter.drawText(x, metrics.ascent(), shown);
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

int32_t MeasureOverlay(const OverlayTexts& texts, const QFont& font)
{
    const QFontMetrics metrics(font);
    int32_t width = Advance(metrics, texts.first) + Advance(metrics, texts.peak);
    if (!texts.second.empty()) width += Advance(metrics, texts.second);
    return width;
}

void DrawOverlay(QPainter& painter, const OverlayTexts& texts, const QFont& font, int32_t clientWidth)
{
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(kTextColour);
    const int32_t firstWidth = Advance(metrics, texts.first);
    if (!texts.first.empty()) DrawBoxedText(painter, metrics, 0, texts.first);
    if (!texts.second.empty()) DrawBoxedText(painter, metrics, firstWidth, texts.second);
    DrawBoxedText(painter, metrics, clientWidth - Advance(metrics, texts.peak), texts.peak);
}
