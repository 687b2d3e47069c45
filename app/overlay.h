#pragma once
#include <QFont>
#include <QRect>
#include <array>
#include <cstdint>

#include "sim/overlay_text.h"

class QPainter;

// The overlay font: the desktop's sans-serif at normal weight, sized in
// frame pixels so the readout is the same size on every screen density.
// lineHeight is the height of the text's line (its grey box), the overlay's
// 36 rows: the font gets the largest pixel size whose line fits in it.
QFont OverlayFont(int32_t lineHeight);

// The widths of the first two texts together and of the peak rate, each
// text measured at its full built length.
struct OverlayWidths {
    int32_t left = 0, peak = 0;
};
OverlayWidths MeasureOverlay(const OverlayTexts& texts, const QFont& font);

// Draws the texts in frame pixels (the painter already maps frame pixels to
// the device) as the core laid them out: white on grey boxes, the first
// text at the left, the spatial frequency after it, the peak rate ending at
// clientWidth on the first line or the second. Returns the three boxes
// (empty for a text not shown).
std::array<QRect, 3> DrawOverlay(QPainter& painter, const OverlayTexts& texts, const OverlayLayout& layout,
                                 int32_t clientWidth);
