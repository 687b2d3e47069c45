#include "app/cursors.h"

#include <QBitmap>
#include <QImage>
#include <cstdlib>

#include "stimulus/stimulus_state.h"

CursorShade CrosshairShade(int32_t x, int32_t y)
{
    const int32_t dx = x - kCrosshairHotX, dy = y - kCrosshairHotY;
    int32_t fromCentre;  // distance along an arm, 3 (inner end) .. 11 (outer end)
    if (dy == 0) fromCentre = std::abs(dx);
    else if (dx == 0) fromCentre = std::abs(dy);
    else return Transparent;
    if (fromCentre < 3 || fromCentre > 11) return Transparent;
    const int32_t fromOuterEnd = 11 - fromCentre;  // 0 .. 8
    return (fromOuterEnd / 3 == 1) ? White : Black;
}

const QCursor& CrosshairCursor()
{
    static const QCursor cursor = [] {
        // Qt cursor bitmaps: bit and mask set = black, mask only = white.
        QImage bits(32, 32, QImage::Format_MonoLSB), mask(32, 32, QImage::Format_MonoLSB);
        const QList<QRgb> clearThenSet = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
        bits.setColorTable(clearThenSet);
        mask.setColorTable(clearThenSet);
        bits.fill(0);
        mask.fill(0);
        for (int32_t y = 0; y < 32; ++y) {
            for (int32_t x = 0; x < 32; ++x) {
                const CursorShade shade = CrosshairShade(x, y);
                if (shade == Transparent) continue;
                mask.setPixel(x, y, 1);
                if (shade == Black) bits.setPixel(x, y, 1);
            }
        }
        return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), kCrosshairHotX, kCrosshairHotY);
    }();
    return cursor;
}

QCursor CursorFor(int32_t cursorId)
{
    return cursorId == kCursorHidden ? QCursor(Qt::BlankCursor) : CrosshairCursor();
}
