#include <QImage>
#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "app/overlay.h"
#include "app/overlay_text.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"
#include "test_shell_support.h"

namespace {

int CharacterCount(const std::string& utf8) { return static_cast<int>(QString::fromStdString(utf8).size()); }

}  // namespace

TEST(ShellOverlayText, ReadoutsMatchTheirExamples)
{
    const struct { std::string built, expected; int length; } cases[] = {
        {OrientationText(90.0f), " stimulus orientation =  90\u00B0", 28},
        {OrientationText(89.5f), " stimulus orientation =  90\u00B0", 28},
        {OrientationText(0.4f), " stimulus orientation =   0\u00B0", 28},
        {SpatialFrequencyText(0.8f), " s.f. = 0.8 c/deg ", 18},
        {DiameterText(1.0f), " stimulus diameter =   1\u00B0 ", 26},
        {DiameterText(16.0f), " stimulus diameter =  16\u00B0 ", 26},
        {DiameterText(32.0f), " stimulus diameter =  32\u00B0 ", 26},
        {PeakRateText(47.6f), "peak rate =  48 Hz ", 19},
        {PeakRateText(5.34f), "peak rate = 5.3 Hz ", 19},
        {PeakRateText(0.254f), "peak rate =0.25 Hz ", 19},
        {PeakRateText(0.0f), "peak rate =   0 Hz ", 19},
        {PeakRateText(10.0f), "peak rate =  10 Hz ", 19},
        {PeakRateText(10.4f), "peak rate =  10 Hz ", 19},
        {PeakRateText(10000.0f), "peak rate =**** Hz ", 19},
        {PeakRateText(1e30f), "peak rate =**** Hz ", 19},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.built, c.expected);
        EXPECT_EQ(CharacterCount(c.built), c.length) << c.built;
    }
}

TEST(ShellOverlayText, TextsFollowTheStimulusTypeAndDropTrailingBlanks)
{
    ResetStimulus();
    simulation.peakRate = 0.0f;
    const struct { int32_t type; float radius; std::string first, second; } cases[] = {
        {Bar, 0.5f, " stimulus orientation =  90\u00B0", ""},
        {Grating, 0.5f, " stimulus orientation =  90\u00B0", " s.f. = 0.8 c/deg "},
        {Spot, 0.5f, " stimulus diameter =   1\u00B0 ", ""},
        {Spot, 8.0f, " stimulus diameter =  16\u00B0 ", ""},
        {Annulus, 8.0f, " stimulus diameter =  32\u00B0 ", ""},
    };
    for (const auto& c : cases) {
        stimulus.stimulusType = c.type;
        stimulus.spotRadius = c.radius;
        const OverlayTexts texts = BuildOverlayTexts();
        EXPECT_EQ(texts.first, c.first) << c.type;
        EXPECT_EQ(texts.second, c.second) << c.type;
        EXPECT_EQ(texts.peak, "peak rate =   0 Hz ");
    }
    EXPECT_EQ(WithoutTrailingBlanks(" s.f. = 0.8 c/deg "), " s.f. = 0.8 c/deg");
    EXPECT_EQ(WithoutTrailingBlanks("peak rate =  48 Hz "), "peak rate =  48 Hz");
    EXPECT_EQ(WithoutTrailingBlanks("   "), "");
    ResetStimulus();
}

TEST(ShellOverlayText, UnreadablePeakRatesStillFillTheirField)
{
    for (float rate : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity(), -5.0f, 1e-30f}) {
        const std::string text = PeakRateText(rate);
        EXPECT_EQ(text.size(), 19u) << text;
        EXPECT_EQ(text.substr(0, 11), "peak rate =");
    }
}

TEST(ShellOverlayText, NarrowFramesShrinkTheFont)
{
    const struct { int32_t frameWidth, measured, height; } cases[] = {
        {600, 900, 21},   // 600 x 32 / 900 = 21.3
        {600, 600, 36},   // fits exactly: no shrinking
        {1200, 900, 36},
        {1000, 1001, 31},
        {0, 900, 1},      // a minimised frame still gets a usable font
        {600, 0, 36},
    };
    for (const auto& c : cases) EXPECT_EQ(OverlayFontHeight(c.frameWidth, c.measured), c.height) << c.frameWidth;
}

TEST(ShellOverlay, MeasuresAtFullLengthAndShrinksToFit)
{
    const OverlayTexts texts{" stimulus orientation =  90\u00B0", " s.f. = 0.8 c/deg ", "peak rate =  48 Hz "};
    const QFont big = OverlayFont(36);
    // 36 is the height of the line and its grey box, not the em: the largest
    // size whose line fits, at full size and shrunk.
    for (int32_t line : {36, 21, 9}) {
        QFont font = OverlayFont(line);
        EXPECT_LE(QFontMetrics(font).height(), line);
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(font).height(), line);
    }
    EXPECT_EQ(big.weight(), QFont::Normal);
    const int32_t full = MeasureOverlay(texts, big);
    const QFontMetrics metrics(big);
    // Trailing blanks count in the measure even though they are not drawn.
    EXPECT_GT(full, metrics.horizontalAdvance(QStringLiteral(" stimulus orientation =  90\u00B0 s.f. = 0.8 c/degpeak rate =  48 Hz")));
    const int32_t height = OverlayFontHeight(full / 2, full);
    EXPECT_TRUE(height == 15 || height == 16) << height;  // half the width: 32 / 2, less a rounding
    EXPECT_LT(MeasureOverlay(texts, OverlayFont(height)), full);
}

TEST(ShellOverlay, NarrowWindowPaintsWithTheShrunkFont)
{
    auto window = QuietMainWindow(900, 640);
    Canvas* canvas = window->canvas();
    window->resize(320, 400);
    QApplication::processEvents();
    appState.lastSizeTime = MillisecondClock() - 1000;
    canvas->repaint();
    const int32_t clientWidth = appState.clientWidth;
    ASSERT_EQ(clientWidth, canvas->width());
    const int32_t full = MeasureOverlay(BuildOverlayTexts(), OverlayFont(36));
    ASSERT_GT(full, clientWidth);
    EXPECT_EQ(canvas->lastPaint().fontHeight, OverlayFontHeight(clientWidth, full));
    EXPECT_LT(canvas->lastPaint().fontHeight, 36);
    EXPECT_EQ(appState.overlayTextWidth, MeasureOverlay(BuildOverlayTexts(), OverlayFont(canvas->lastPaint().fontHeight)));
}

TEST(ShellOverlay, PeakRateBoxEndsAtTheRightEdge)
{
    auto window = QuietMainWindow(900, 640);
    Canvas* canvas = window->canvas();
    appState.lastSizeTime = MillisecondClock() - 1000;
    simulation.peakRate = 47.6f;
    QImage shot = canvas->grab().toImage();
    simulation.peakRate = 0.0f;
    const int right = appState.clientWidth - 1;
    const QFontMetrics metrics(OverlayFont(36));
    const int drawn = metrics.horizontalAdvance(QStringLiteral("peak rate =  48 Hz"));
    const int blank = metrics.horizontalAdvance(QStringLiteral(" "));
    // Somewhere in the text's box there is white ink; beyond the trailing
    // blank's place at the right there is none.
    bool ink = false;
    for (int x = right - blank - drawn; x < right - blank && !ink; ++x)
        for (int y = 0; y < metrics.height() && !ink; ++y) ink = shot.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_TRUE(ink);
    for (int y = 0; y < metrics.height(); ++y) EXPECT_NE(shot.pixel(right, y), qRgb(255, 255, 255));
}
