// Whole scene ticks: what the neuron is handed is what the frame shows, with
// nothing left behind by a stimulus that moved or went off.
#include <gtest/gtest.h>

#include <cstdint>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace {

void StartScene()
{
    ResetFrameBuffers();
    ResetStimulus();
    ResetModelOptions();
    ResetReceptiveField(1000, 700);
    ResetFilters();
    ResetStimulusImages();
    ResetSimulation();
    appState.clientWidth = 1000;
    appState.clientHeight = 700;
    appState.toolbarHeight = 36;
    RequestFrameSize(1000, 700);
    receptiveField.displayMode = Hidden;
    buildFilters();
    stimulus.stimulusType = Spot;
    stimulus.stimulusOn = true;
}

int64_t Count(const float* image, float v)
{
    int64_t n = 0;
    for (int32_t i = 0; i < kFilterPixels; ++i) n += image[i] == v;
    return n;
}

}  // namespace

TEST(RasterFlow, MovedOrRemovedStimulusLeavesNothingInTheImage)
{
    StartScene();
    const RfFilterSet& set = CurrentFilters();
    ASSERT_EQ(set.boxLeft, 418) << "filters not built";
    auto element = [&](const float* image, int32_t x, int32_t y) {
        return image[(y - set.boxTop) * kFilterSide + (x - set.boxLeft)];
    };

    stimulus.mouseX = 450;
    stimulus.mouseY = 350;
    SceneTick();
    const float* image = LatestStimulusImage();
    EXPECT_EQ(element(image, 450, 350), 1.0f);
    const int64_t spot = Count(image, 1.0f);
    EXPECT_NEAR(static_cast<double>(spot), 3.14159265 * 19 * 19, 40.0);

    // A jump far beyond the spot's scan margin in one tick.
    stimulus.mouseX = 550;
    SceneTick();
    image = LatestStimulusImage();
    EXPECT_EQ(element(image, 450, 350), 0.0f);
    EXPECT_EQ(element(image, 550, 350), 1.0f);
    EXPECT_EQ(Count(image, 1.0f), spot);
    PresentedFrame frame = LatestFrame();
    ASSERT_EQ(frame.width, 1000);
    EXPECT_EQ(frame.pixels[450 + 1000 * 350] & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(frame.pixels[550 + 1000 * 350] & 0xFFFFFF, 0xFEFEFEu);

    stimulus.stimulusOn = false;
    SceneTick();
    image = LatestStimulusImage();
    EXPECT_EQ(Count(image, 0.0f), kFilterPixels);
}
