// The stimuli drawn: greys, contrasts, coverage, the toolbar band, the stimulus image over the filter box, the
// grating's window and clock, and absurd sizes and positions.
#include <limits>

#include "tests/core/test_support.h"
#include "render/scene_drawing.h"

using namespace ts;

namespace {

// A fresh scene with the stimulus on at (x, y).
void PlaceStimulus(int32_t type, int32_t x = 500, int32_t y = 350)
{
    ResetScene();
    stimulus.stimulusType = type, stimulus.mouseX = x, stimulus.mouseY = y, stimulus.stimulusOn = true;
}

// Inside the box and below the band, a pixel is in the stimulus grey exactly where the image holds the contrast.
void ExpectFrameMatchesImage(uint32_t colour, float contrast)
{
    const RfFilterSet& set = TestFilters();
    int64_t covered = 0;
    for (int32_t y = std::max(set.boxTop, 37); y <= set.boxBottom && y < frameBuffer.height; ++y) {
        for (int32_t x = std::max(set.boxLeft, 0); x <= set.boxRight && x < frameBuffer.width; ++x) {
            const bool drawn = ReadPixel(x, y) == colour;
            const float v = ImageAt(x, y);
            ASSERT_TRUE(drawn ? v == contrast : v == 0.0f) << x << "," << y;
            covered += drawn;
        }
    }
    EXPECT_GT(covered, 0);
}

}  // namespace

TEST(RasterSpot, GreyAndContrastFollowPolarityAndContrast)
{
    const struct { int32_t polarity; float contrastPercent; int32_t grey; float image; } cases[] = {
        {1, 100.0f, 254, 1.0f}, {-1, 100.0f, 0, -1.0f}, {1, 50.0f, 190, 0.5f}, {-1, 50.0f, 63, -0.5f}, {1, 0.0f, 127, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "polarity " << c.polarity << " contrast " << c.contrastPercent);
        PlaceStimulus(Spot);
        stimulus.polarity = c.polarity, stimulus.contrastPercent = c.contrastPercent;
        RasteriseStimulusAt(TestFilters(), 0);
        EXPECT_EQ(ReadPixel(517, 350), Grey(c.grey));
        EXPECT_EQ(ReadPixel(521, 350), kGrey);  // 0.5 degrees is 19 pixels
        EXPECT_EQ(ReadPixel(514, 364), kGrey);  // 19.8 pixels away, on the diagonal
        EXPECT_FLOAT_EQ(ImageAt(500, 350), c.image);
        EXPECT_EQ(ImageAt(521, 350), 0.0f);
        if (c.contrastPercent != 0.0f) ExpectFrameMatchesImage(Grey(c.grey), c.image);
    }
}

TEST(RasterBar, OrientationTurnsTheBar)
{
    // A 4 x 0.4 degree bar: 152 pixels long (half 76), 15.2 wide (half 7.6).
    const struct { float orientation; int32_t alongX, alongY; } cases[] = {  // a pixel step along the bar
        {0.0f, 1, 0}, {90.0f, 0, -1}, {180.0f, -1, 0}, {270.0f, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "orientation " << c.orientation);
        PlaceStimulus(Bar);
        stimulus.orientation = c.orientation;
        RasteriseStimulusAt(TestFilters(), 0);
        const int32_t acrossX = c.alongY, acrossY = c.alongX;  // perpendicular
        for (int32_t d : {0, -70, 70, 80, -80})
            EXPECT_EQ(ReadPixel(500 + d * c.alongX, 350 + d * c.alongY), std::abs(d) < 76 ? Grey(254) : kGrey) << d;
        for (int32_t d : {5, -5, 10, -10})
            EXPECT_EQ(ReadPixel(500 + d * acrossX, 350 + d * acrossY), std::abs(d) < 8 ? Grey(254) : kGrey) << d;
        // About 152 x 15 pixels, whatever the orientation.
        EXPECT_NEAR(static_cast<double>(CountPixels(Grey(254))), 153.0 * 16.0, 200.0);
        ExpectFrameMatchesImage(Grey(254), 1.0f);
    }
}

TEST(RasterExtremes, AbsurdSizesAndPositionsStayBoundedAndFinite)
{
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    struct Case {  // expectDrawn: pixels in the stimulus grey, -1 when not checked
        const char* name; int32_t type; float spotRadius, annulusRatio, barLength, barWidth, orientation, contrast;
        int32_t mouseX, mouseY; int64_t expectDrawn;
    };
    const int64_t wholeFrame = int64_t{kWidth} * (kHeight - 37);
    const int32_t far = std::numeric_limits<int32_t>::max(), farNeg = std::numeric_limits<int32_t>::min();
    const Case cases[] = {
        {"huge spot", Spot, 1e30f, 2, 4, 0.4f, 90, 100, 500, 350, wholeFrame},
        {"huge spot far away", Spot, 1e30f, 2, 4, 0.4f, 90, 100, far, farNeg, wholeFrame},
        {"tiny spot", Spot, 1e-30f, 2, 4, 0.4f, 90, 100, 500, 350, 1},
        {"negative spot", Spot, -5.0f, 2, 4, 0.4f, 90, 100, 500, 350, 0},
        {"nan spot", Spot, kNan, 2, 4, 0.4f, 90, 100, 500, 350, 0},
        {"huge annulus", Annulus, 1.0f, 1e30f, 4, 0.4f, 90, 100, 500, 350, -1},
        {"huge bar", Bar, 0.5f, 2, 1e30f, 1e30f, 90, 100, 500, 350, wholeFrame},
        {"long bar far away", Bar, 0.5f, 2, 1e30f, 0.4f, 33, 100, far, far, -1},
        {"bar of huge orientation", Bar, 0.5f, 2, 4, 0.4f, 1e30f, 100, 500, 350, -1},
        {"bar of nan length", Bar, 0.5f, 2, kNan, 0.4f, 90, 100, 500, 350, 0},
        {"huge contrast", Spot, 0.5f, 2, 4, 0.4f, 90, 1e30f, 500, 350, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlaceStimulus(c.type, c.mouseX, c.mouseY);
        stimulus.spotRadius = c.spotRadius, stimulus.annulusRatio = c.annulusRatio, stimulus.barLength = c.barLength;
        stimulus.barWidth = c.barWidth, stimulus.orientation = c.orientation, stimulus.contrastPercent = c.contrast;
        RasteriseStimulusAt(TestFilters(), 0);
        EXPECT_TRUE(ImageAllFinite());
        EXPECT_TRUE(c.expectDrawn < 0 || CountPixels(Grey(254)) == c.expectDrawn) << CountPixels(Grey(254));
        // Only the stimulus grey and the background, or saturated white above 100 %: never wrapped.
        const int64_t other = int64_t{kWidth} * kHeight - CountPixels(kGrey) - CountPixels(Grey(254));
        EXPECT_EQ(other, c.contrast <= 100.0f ? 0 : CountPixels(Grey(255)));
    }
}

TEST(RasterGrating, PeriodsBelowAMillisecondCountAsOne)
{
    // 20 deg/s at 100 c/deg repeats every 0.5 ms; a 5 kHz flicker every 0.2 ms.
    const struct { float sf, velocity, modulationRate; int32_t centreGrey; } cases[] = {
        {100.0f, 20.0f, 0.0f, 254}, {0.0f, 0.0f, 5000.0f, 127}, {100.0f, 20.0f, 5000.0f, 127}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sf << " c/deg, " << c.modulationRate << " Hz");
        for (int64_t t : {0, 1, 7, 123457}) {
            PlaceStimulus(Grating);
            stimulus.gratingSf = c.sf, stimulus.gratingVelocity = c.velocity, stimulus.modulationRate = c.modulationRate;
            stimulus.gratingPhase = 45.0f, stimulus.orientation = 90.0f;
            RasteriseStimulusAt(TestFilters(), t);
            EXPECT_EQ(ReadPixel(500, 350), Grey(c.centreGrey)) << t;
            EXPECT_TRUE(ImageAllFinite());
        }
    }
}

// The ring, drawn by row runs, covers exactly trunc(r^2) < d^2 <= Ro^2 (Ro = trunc(ratio x r)), wherever it lies.
TEST(RasterAnnulus, CoversExactlyTheRingOfItsDefinition)
{
    const struct { float radius, ratio; int32_t x, y; } cases[] = {
        {0.5f, 2.0f, 500, 350}, {0.3f, 1.0f, 500, 350}, {1.7f, 3.3f, 430, 280}, {9.0f, 2.5f, 990, 50}};
    for (const auto& c : cases) {
        PlaceStimulus(Annulus, c.x, c.y);
        stimulus.spotRadius = c.radius, stimulus.annulusRatio = c.ratio;
        RasteriseStimulusAt(TestFilters(), 0);
        const float r = c.radius / kDegreesPerPixel;
        const double inner2 = std::trunc(r * r), outer = std::trunc(c.ratio * c.radius / kDegreesPerPixel);
        for (int32_t y = 37; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) {
                const double d2 = double(x - c.x) * (x - c.x) + double(y - c.y) * (y - c.y);
                ASSERT_EQ(ReadPixel(x, y) == Grey(254), inner2 < d2 && d2 <= outer * outer) << x << "," << y;
            }
        if (c.ratio > 1.0f) ExpectFrameMatchesImage(Grey(254), 1.0f);
    }
}
