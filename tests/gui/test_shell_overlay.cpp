#include <QFont>
#include <QFontMetrics>

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
