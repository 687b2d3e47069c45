#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/core/test_support.h"

using namespace ts;

// A complex cell answers a grating on its field; the grating goes off and the
// student picks the spot. The grating's frames drain out of the history with
// their own weight: the rate falls away and never rises above the response
// the grating gave while it was on.
TEST(ReviewFaults, ComplexCellDecaysSmoothlyWhenAGratingMakesWayForASpot)
{
    ResetEngine(Complex);
    stimulus.stimulusType = Grating;
    stimulus.mouseX = 500;  // the field's centre on a 1000 x 700 canvas
    stimulus.mouseY = 350;
    stimulus.stimulusOn = true;
    std::vector<float> on, after;
    int64_t t = 0;
    for (int32_t tick = 0; tick < 60; ++tick, t += 20) {
        SceneTickAt(t);
        NeuronTickCompute();
        if (tick >= 20) on.push_back(simulation.expectedRate);
    }
    stimulus.stimulusOn = false;
    SetStimulusType(Spot);
    for (int32_t tick = 0; tick < 22; ++tick, t += 20) {
        SceneTickAt(t);
        NeuronTickCompute();
        after.push_back(simulation.expectedRate);
    }
    const float onPeak = *std::max_element(on.begin(), on.end());
    const float onLow = *std::min_element(on.begin(), on.end());
    EXPECT_GT(onLow, 30.0f) << "a steady answer to the drifting grating";
    EXPECT_LT(onPeak - onLow, 0.01f * onPeak);
    EXPECT_NEAR(after[0], on.back(), 0.01f * onPeak) << "the first tick still sees the grating";
    EXPECT_LT(after[1], after[0]);
    for (size_t i = 1; i < after.size(); ++i) EXPECT_LE(after[i], onPeak) << "tick " << i << " after";
    EXPECT_NEAR(after.back(), modelOptions.currentSpontaneousRate, 1e-3f);
}

// Held Left or a wheel spun down shrink a spot or an annulus to one pixel and
// no further; from there it grows again.
TEST(ReviewFaults, RoundStimulusShrinksToOnePixelAndGrowsBack)
{
    const struct { int32_t type; bool wheel; } cases[] = {
        {Spot, false}, {Spot, true}, {Annulus, false}, {Annulus, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << (c.wheel ? " wheel" : " key"));
        ResetStimulus();
        SetStimulusType(c.type);
        for (int32_t i = 0; i < 2000; ++i) c.wheel ? OnWheel(-120) : OnKeyDown(37);
        EXPECT_EQ(stimulus.spotRadius, stimulus.degreesPerPixel);
        c.wheel ? OnWheel(120) : OnKeyDown(39);
        EXPECT_EQ(stimulus.spotRadius, stimulus.degreesPerPixel * 1.1f);
    }
    // Just above a pixel, one step lands on the pixel, not below it.
    stimulus.spotRadius = 1.05f * stimulus.degreesPerPixel;
    OnKeyDown(37);
    EXPECT_EQ(stimulus.spotRadius, stimulus.degreesPerPixel);
}
