// The stimulus record under the pointer, the wheel and the keys, and
// positions across a resize.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "model/receptive_field.h"
#include "render/app_state.h"
#include "sim/engine_reset.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

namespace {

// The key codes the canvas hands on, named as the stimulus record names them.
constexpr int32_t kKeyLeft = 37, kKeyRight = 39;

class Stimulus : public testing::Test {
protected:
    void SetUp() override { ResetEngineRecords(800, 600); }
};

TEST_F(Stimulus, OrientationStepsAndWraps)
{
    const struct {
        const char* name;
        int32_t type;
        float start;
        bool wheel;  // wheel (delta) or key
        int32_t input;
        float result;
    } cases[] = {
        {"wheel up past 360", Bar, 357.0f, true, 120, 2.0f},
        {"wheel down past 0", Bar, 3.0f, true, -120, 358.0f},
        {"one step per message, however large", Grating, 10.0f, true, 32767, 15.0f},
        {"a zero delta does nothing", Bar, 10.0f, true, 0, 10.0f},
        {"Right at 0", Bar, 0.0f, false, kKeyRight, 359.0f},
        {"Left at 360", Bar, 360.0f, false, kKeyLeft, 1.0f},
        {"other keys wrap once too", Spot, -5.0f, false, 'A', 355.0f},
        {"only one wrap", Bar, 800.0f, false, 'A', 440.0f},
        {"a spot's wheel leaves the orientation", Spot, 357.0f, true, 120, 357.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetStimulus();
        SetStimulusType(c.type);
        stimulus.orientation = c.start;
        if (c.wheel) OnWheel(c.input);
        else OnKeyDown(c.input);
        EXPECT_EQ(stimulus.orientation, c.result);
    }
}

// A minimised window (0 x 0) on either side of a resize leaves every
// position finite and where it was; a real resize scales them.
TEST_F(Stimulus, ResizeScalesPositionsUnlessASideIsEmpty)
{
    const struct { int32_t oldWidth, oldHeight, newWidth, newHeight; float scaleX; } cases[] = {
        {800, 600, 1600, 600, 2.0f}, {800, 600, 0, 0, 1.0f}, {0, 0, 800, 600, 1.0f}, {-1, 600, 800, 600, 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.oldWidth << "x" << c.oldHeight << " -> " << c.newWidth << "x"
                                        << c.newHeight);
        ClearMarks();
        AddMark(3.0f, 4.0f, 1);
        stimulus.stimX = 10.0f;
        stimulus.stimY = 7.0f;
        receptiveField.centreX = 12.0f;
        receptiveField.centreY = 6.0f;
        appState.clientWidth = c.oldWidth;
        appState.clientHeight = c.oldHeight;
        RescalePositions(c.newWidth, c.newHeight);
        EXPECT_EQ(stimulus.stimX, 10.0f * c.scaleX);
        EXPECT_EQ(receptiveField.centreX, 12.0f * c.scaleX);
        EXPECT_EQ(marks.markX[1], 3.0f * c.scaleX);
        EXPECT_EQ(stimulus.stimY + receptiveField.centreY + marks.markY[1], 7.0f + 6.0f + 4.0f);
    }
    // A growth that would overflow a float keeps the old value.
    appState.clientWidth = 1;
    appState.clientHeight = 1;
    stimulus.stimX = 3e38f;
    RescalePositions(65535, 1);
    EXPECT_EQ(stimulus.stimX, 3e38f);
    EXPECT_EQ(stimulus.mouseX, std::numeric_limits<int32_t>::max());
}

}  // namespace
