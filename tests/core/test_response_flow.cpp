#include <gtest/gtest.h>

#include <vector>

#include "tests/core/test_support.h"

using namespace ts;

// Whole ticks: the scene tick draws and publishes the stimulus image, the
// neuron tick takes it.

namespace {

int32_t NonZeroElements(const float* image)
{
    int32_t count = 0;
    for (int32_t i = 0; i < kFilterPixels; ++i) count += image[i] != 0.0f;
    return count;
}

void PlaceSpotOnTheField()
{
    stimulus.stimulusType = Spot;
    stimulus.mouseX = 500;  // the field's centre pixel on a 1000 x 700 canvas
    stimulus.mouseY = 350;
    stimulus.stimX = 500 * stimulus.degreesPerPixel;
    stimulus.stimY = 350 * stimulus.degreesPerPixel;
}

}  // namespace

TEST(SceneToNeuron, FlashedSpotRaisesTheOnCentreRateAfterOneTick)
{
    ResetEngine(OnCentreX);
    PlaceSpotOnTheField();
    std::vector<float> rates;
    for (int32_t tick = 0; tick < 30; ++tick) {
        stimulus.stimulusOn = tick >= 5 && tick < 10;
        SceneTick();
        NeuronTickCompute();
        NeuronTickFinish(0, nullptr);
        rates.push_back(simulation.expectedRate);
    }
    EXPECT_NEAR(rates[4], 15.0f, 1e-3f) << "spontaneous before the flash";
    EXPECT_NEAR(rates[5], 15.0f, 1e-3f) << "the first tick of the spot adds nothing";
    EXPECT_GT(rates[6], 15.5f);
    EXPECT_GT(rates[7], rates[6]);
    EXPECT_NEAR(rates[29], 15.0f, 1e-3f) << "back to spontaneous 20 ticks after the spot";
    EXPECT_GT(simulation.peakRate.load(), 20.0f);
}

// What the neuron is handed is what the frame shows, with nothing left behind
// by a stimulus that moved or went off.
TEST(SceneToNeuron, ImageHoldsOnlyWhatThisTickDrew)
{
    ResetEngine(Simple);
    receptiveField.displayMode = Hidden;
    PlaceSpotOnTheField();
    stimulus.stimulusOn = true;
    SceneTick();
    const float* seen = LatestStimulusImage();
    const int32_t half = BoxHalf();
    EXPECT_EQ(seen[half * kFilterSide + half], 1.0f);
    const int32_t drawn = NonZeroElements(seen);
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

TEST(SceneToNeuron, NeuronKeepsItsImageUntilANewOneIsPublished)
{
    ResetEngine(Simple);
    PublishSpot(1.0f, 10.0f);
    const float* first = LatestStimulusImage();
    EXPECT_EQ(first, LatestStimulusImage()) << "no newer image: the same one again";
    float* back = StimulusImageBack();
    EXPECT_NE(back, first) << "the scene never draws into the neuron's image";
    PublishBlank();
    const float* second = LatestStimulusImage();
    EXPECT_NE(second, first);
    EXPECT_EQ(NonZeroElements(second), 0);
    EXPECT_NE(StimulusImageBack(), second);
}

TEST(SceneToNeuron, TickWithoutAFrameSizeOrFilters)
{
    ResetEngine(Complex);
    ResetFilters();
    modelOptions.currentSpontaneousRate = 0.0f;  // no spikes to overwrite the trace
    RequestFrameSize(0, 0);
    PlaceSpotOnTheField();
    stimulus.stimulusOn = true;
    for (int32_t tick = 0; tick < 3; ++tick) {
        SceneTick();
        NeuronTickCompute();
        NeuronTickFinish(0, nullptr);
    }
    EXPECT_NEAR(simulation.expectedRate, modelOptions.currentSpontaneousRate, 1e-3f);
    EXPECT_EQ(simulation.responseTrace[1].load(), 0.0f);
}
