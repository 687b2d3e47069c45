#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "app/overlay.h"
#include "sim/overlay_text.h"
#include "test_shell_support.h"

TEST(ShellOverlayText, ReadoutsMatchTheirExamples)
{
    const struct { std::string built, expected; int length; } cases[] = {
        // The fields' own rounding is the number format test's.
        {OrientationText(89.5f), " stimulus orientation =  90\u00B0", 28},
        {SpatialFrequencyText(0.8f), " s.f. = 0.8 c/deg ", 18}, {DiameterText(32.0f), " stimulus diameter =  32\u00B0 ", 26},
        {PeakRateText(0.254f), "peak rate =0.25 Hz ", 19}, {PeakRateText(1e30f), "peak rate =**** Hz ", 19},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.built, c.expected);
        EXPECT_EQ(static_cast<int>(QString::fromStdString(c.built).size()), c.length) << c.built;  // characters
    }
}

TEST(ShellOverlay, LineHeightIsTheOverlayBand)
{
    // 36 is the height of the line and its grey box, not the em: the largest pixel size whose line fits.
    for (int32_t line : {36, 21, 9}) {
        QFont font = OverlayFont(line);
        EXPECT_LE(QFontMetrics(font).height(), line);
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(font).height(), line);
    }
}

// The readouts as the core lays them out and the desktop draws them: beside each other with a gap, or the peak
// rate on a line below, never touching, whatever the field's width and texts (a grating's three, a bar's two,
// whose first ends in no blank).
TEST(ShellOverlay, ReadoutsKeepApart)
{
    QImage image(1200, kOverlayFontHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    int32_t lines[2] = {};  // how often each layout came: one line, two
    for (const OverlayTexts& texts : {OverlayTexts{OrientationText(270.0f), SpatialFrequencyText(0.25f), PeakRateText(188.0f)},
                                      OverlayTexts{OrientationText(90.0f), "", PeakRateText(0.5f)}}) {
        const OverlayWidths w = MeasureOverlay(texts, OverlayFont(kOverlayFontHeight));
        for (int32_t width = 120; width <= 1200; width += 7) {
            const OverlayLayout layout = LayOutOverlay(width, w.left, w.peak);
            const auto boxes = DrawOverlay(painter, texts, layout, width);
            const QRect apart = boxes[2].adjusted(-layout.lineHeight / 4, 0, 0, 0);  // a gap before the peak rate
            EXPECT_FALSE(apart.intersects(boxes[0]) || apart.intersects(boxes[1])) << width;
            EXPECT_LE(layout.peakTop + layout.lineHeight, kOverlayFontHeight);
            lines[layout.peakTop > 0]++;
        }
    }
    EXPECT_TRUE(lines[0] > 0 && lines[1] > 0);
}
