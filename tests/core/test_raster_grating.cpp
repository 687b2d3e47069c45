// The grating: its window, its stationary pattern, drift and counterphase
// flicker from the clock, and periods below a millisecond.

#include <cstdlib>
#include <limits>

#include "tests/core/test_support.h"
#include "sim/scene_drawing.h"

using namespace ts;

namespace {

void PlaceGrating(float sf, float velocity, float phase, float orientation)
{
    stimulus.stimulusType = Grating;
    stimulus.mouseX = 500;
    stimulus.mouseY = 350;
    stimulus.stimulusOn = true;
    stimulus.gratingSf = sf;
    stimulus.gratingVelocity = velocity;
    stimulus.gratingPhase = phase;
    stimulus.orientation = orientation;
}

int32_t GreyAt(int32_t x, int32_t y) { return static_cast<int32_t>(ReadPixel(x, y) & 0xFF); }

}  // namespace

TEST(RasterGrating, ZeroFrequencyIsAUniformDiscOfTheAmplitude)
{
    // A 2 Hz flicker has a 500 ms period: amplitude sin(2 pi t / 500).
    const struct { float contrast, modulationRate; int64_t timeMs; int32_t grey; } cases[] = {
        {100, 0, 0, 254},   {50, 0, 0, 190},    {0, 0, 0, 127},
        {100, 2, 0, 127},   {100, 2, 125, 254}, {100, 2, 250, 126},
        {100, 2, 375, 0},   {100, 2, 500, 127}, {100, 2, 1125, 254}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "contrast " << c.contrast << " rate " << c.modulationRate
                                        << " t " << c.timeMs);
        ResetScene();
        PlaceGrating(0.0f, 2.0f, 0.0f, 90.0f);
        stimulus.contrastPercent = c.contrast;
        stimulus.modulationRate = c.modulationRate;
        RasteriseStimulusAt(TestFilters(), c.timeMs);
        // Radius 2.5 degrees: 95 pixels.
        EXPECT_EQ(GreyAt(500, 350), c.grey);
        EXPECT_EQ(GreyAt(590, 350), c.grey);
        EXPECT_EQ(GreyAt(500, 260), c.grey);
        EXPECT_EQ(ReadPixel(597, 350), kGrey);
        EXPECT_EQ(ImageAt(597, 350), 0.0f);
        EXPECT_NEAR(ImageAt(500, 350), (c.grey - 127) / 127.0f, 0.008f);
        if (c.grey != 128) {
            EXPECT_NEAR(static_cast<double>(CountPixels(Grey(c.grey))), 3.14159265 * 95.0 * 95.0, 200.0);
        }
    }
}

TEST(RasterGrating, PeriodsBelowAMillisecondCountAsOne)
{
    // 20 deg/s at 100 c/deg repeats every 0.5 ms; a 5 kHz flicker every 0.2 ms.
    const struct { const char* name; float sf, velocity, modulationRate; int32_t centreGrey; } cases[] = {
        {"fast drift", 100.0f, 20.0f, 0.0f, 254},
        {"fast flicker", 0.0f, 0.0f, 5000.0f, 127},
        {"both", 100.0f, 20.0f, 5000.0f, 127}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int64_t t : {0, 1, 7, 123457}) {
            ResetScene();
            PlaceGrating(c.sf, c.velocity, 45.0f, 90.0f);
            stimulus.modulationRate = c.modulationRate;
            RasteriseStimulusAt(TestFilters(), t);
            EXPECT_EQ(GreyAt(500, 350), c.centreGrey) << t;
            EXPECT_TRUE(ImageAllFinite());
        }
    }
}
