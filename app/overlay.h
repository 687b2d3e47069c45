#pragma once
#include <QFont>
#include <cstdint>

#include "sim/overlay_text.h"

class QPainter;

// The overlay font: the desktop's sans-serif at normal weight, sized in
// frame pixels so the readout is the same size on every screen density.
// lineHeight is the height of the text's line (its grey box), the overlay's
// 36 rows: the font gets the largest pixel size whose line fits in it.
QFont OverlayFont(int32_t lineHeight);

// Sum of the widths of the texts, each measured at its full built length.
int32_t MeasureOverlay(const OverlayTexts& texts, const QFont& font);

// Draws the texts in frame pixels (the painter already maps frame pixels to
// the device): white on grey boxes, the first text at the left, the
// spatial frequency after it, the peak rate ending at clientWidth.
void DrawOverlay(QPainter& painter, const OverlayTexts& texts, const QFont& font, int32_t clientWidth);
