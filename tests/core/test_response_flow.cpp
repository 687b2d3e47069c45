

#include "tests/core/test_support.h"

using namespace ts;

// Whole ticks: the scene tick draws and publishes the stimulus image, the
// neuron tick takes it.

namespace {

int64_t NonZeroElements(const float* image)
{
    return std::count_if(image, image + kFilterPixels, [](float v) { return v != 0.0f; });
}

}  // namespace

// Press over the field, tick, hear the clicks: the ON-centre cell answers a
// spot from the second tick on, fires well above its spontaneous rate while
// the spot is held and falls back 20 ticks after the release.
int32_t clicksHeard = 0;
void HearClick(int32_t) { ++clicksHeard; }

TEST(SceneToNeuron, PressedSpotOverOnCentreIsHeard)
{
    ResetEngine(OnCentreX);
    SetStimulusType(Spot);
    OnPointerMove(500, 350 + 36);  // the field's centre pixel; the canvas adds the band
    std::vector<float> rates;
    int32_t clicks[3] = {};  // before, while held, after
    float peakHeld = 0.0f;
    for (int32_t tick = 0; tick < 150; ++tick) {
        if (tick == 50) OnLeftButtonDown();
        if (tick == 100) OnLeftButtonUp();
        clicksHeard = 0;
        SceneTick();
        NeuronTickCompute();
        NeuronTickFinish(int64_t{tick} * 882, HearClick);
        clicks[tick / 50] += clicksHeard;
        rates.push_back(simulation.expectedRate);
        if (tick / 50 == 1) peakHeld = std::max(peakHeld, simulation.peakRate.load());
    }
    EXPECT_NEAR(rates[50], 15.0f, 1e-3f) << "spontaneous until the spot's first tick is past";
    EXPECT_GT(rates[51], 15.5f);
    EXPECT_GT(rates[52], rates[51]);
    EXPECT_NEAR(rates[149], 15.0f, 1e-3f) << "back to spontaneous 20 ticks after the release";
    EXPECT_GT(peakHeld, 20.0f);
    // About 15 clicks in each second without the spot, twice that with it.
    EXPECT_GT(clicks[1], clicks[0]);
    EXPECT_GT(clicks[1], clicks[2]);
}

// What the neuron is handed is what the frame shows, with nothing left behind
// by a stimulus that moved or went off.
TEST(SceneToNeuron, ImageHoldsOnlyWhatThisTickDrew)
{
    ResetEngine(Simple);
    receptiveField.displayMode = Hidden;
    stimulus.stimulusType = Spot;
    OnPointerMove(500, 350 + 36);  // the field's centre pixel on a 1000 x 700 canvas
    stimulus.stimulusOn = true;
    SceneTick();
    const float* seen = LatestStimulusImage();
    const int32_t half = BoxHalf();
    EXPECT_EQ(seen[half * kFilterSide + half], 1.0f);
    const int64_t drawn = NonZeroElements(seen);
    EXPECT_NEAR(drawn, 3.14159265 * 19 * 19, 40.0);

    // Far beyond the spot's scan margin: nothing of the old spot may remain.
    stimulus.mouseX = 560;
    SceneTick();
    seen = LatestStimulusImage();
    EXPECT_EQ(seen[half * kFilterSide + half], 0.0f);
    EXPECT_EQ(seen[half * kFilterSide + half + 60], 1.0f);
    EXPECT_EQ(NonZeroElements(seen), drawn);
    const PresentedFrame frame = LatestFrame();
    ASSERT_EQ(frame.width, 1000);
    EXPECT_EQ(frame.pixels[500 + 1000 * 350] & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(frame.pixels[560 + 1000 * 350] & 0xFFFFFF, 0xFEFEFEu);

    // Off: the cleared image is published too.
    stimulus.stimulusOn = false;
    SceneTick();
    EXPECT_EQ(NonZeroElements(LatestStimulusImage()), 0);
}
