#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "model/receptive_field.h"
#include "render/app_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"
#include "sim/engine_reset.h"

namespace {

constexpr int32_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

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
        {"a tiny delta is a whole step", Grating, 10.0f, true, -1, 5.0f},
        {"a zero delta does nothing", Bar, 10.0f, true, 0, 10.0f},
        {"wheel up from 355 lands on 360", Bar, 355.0f, true, 120, 360.0f},
        {"wheel down from 5 lands on 0", Bar, 5.0f, true, -120, 0.0f},
        {"Right at 0", Bar, 0.0f, false, kRight, 359.0f},
        {"Left at 360", Bar, 360.0f, false, kLeft, 1.0f},
        {"Right on a grating", Grating, 45.0f, false, kRight, 44.0f},
        {"360 stays under a key that does not turn", Bar, 360.0f, false, kUp, 360.0f},
        {"0 stays under a key that does not turn", Bar, 0.0f, false, kDown, 0.0f},
        {"other keys wrap once too", Spot, -5.0f, false, 65, 355.0f},
        {"only one wrap", Bar, 800.0f, false, 65, 440.0f},
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

TEST_F(Stimulus, PointerButtonsAndModes)
{
    // Moving mode: the stimulus follows, measured from the band's lower edge.
    OnPointerMove(380, 36 + 76);
    EXPECT_EQ(stimulus.mouseX, 380);
    EXPECT_EQ(stimulus.mouseY, 76);
    EXPECT_EQ(stimulus.stimX, 380.0f * stimulus.degreesPerPixel);
    EXPECT_EQ(stimulus.stimY, 76.0f * stimulus.degreesPerPixel);
    EXPECT_EQ(stimulus.cursor, kCursorCrosshair);

    OnPointerMove(10, 20);  // above the band's edge
    EXPECT_EQ(stimulus.mouseY, -16);
    EXPECT_LT(stimulus.stimY, 0.0f);

    OnLeftButtonDown();
    EXPECT_TRUE(stimulus.stimulusOn);
    EXPECT_EQ(stimulus.cursor, kCursorHidden);
    OnPointerMove(50, 50);
    EXPECT_EQ(stimulus.cursor, kCursorHidden);
    EXPECT_TRUE(StimulusPresent());
    OnLeftButtonUp();
    EXPECT_FALSE(stimulus.stimulusOn);
    EXPECT_EQ(stimulus.cursor, kCursorCrosshair);
    EXPECT_FALSE(StimulusPresent());

    // The platform's double click: down, up, double click, up.
    OnLeftButtonDown();
    OnLeftButtonUp();
    OnDoubleClick();
    EXPECT_TRUE(stimulus.stationaryMode);
    EXPECT_TRUE(stimulus.stimulusOn);
    OnLeftButtonUp();
    EXPECT_FALSE(stimulus.stimulusOn);
    EXPECT_TRUE(StimulusPresent());  // stationary: present whatever the button

    // Stationary: the position is frozen and the pointer shows.
    const int32_t mx = stimulus.mouseX, my = stimulus.mouseY;
    const float sx = stimulus.stimX, sy = stimulus.stimY;
    OnLeftButtonDown();
    OnPointerMove(600, 400);
    EXPECT_EQ(stimulus.mouseX, mx);
    EXPECT_EQ(stimulus.mouseY, my);
    EXPECT_EQ(stimulus.stimX, sx);
    EXPECT_EQ(stimulus.stimY, sy);
    EXPECT_EQ(stimulus.cursor, kCursorCrosshair);
    OnLeftButtonUp();

    // A second double click goes back to moving mode, hidden until pressed.
    OnLeftButtonDown();
    OnLeftButtonUp();
    OnDoubleClick();
    EXPECT_FALSE(stimulus.stationaryMode);
    EXPECT_FALSE(stimulus.stimulusOn);
    OnLeftButtonUp();
    EXPECT_FALSE(StimulusPresent());
    OnPointerMove(600, 400);
    EXPECT_EQ(stimulus.mouseX, 600);
    EXPECT_EQ(stimulus.mouseY, 364);

    // Extreme pointer values do not overflow the band subtraction.
    OnPointerMove(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(stimulus.mouseY, std::numeric_limits<int32_t>::min());
    EXPECT_TRUE(std::isfinite(stimulus.stimY));
}

// A minimised window (0 x 0) on either side of a resize leaves every
// position finite and where it was.
TEST_F(Stimulus, ResizeWithAnEmptySideChangesNothing)
{
    const struct { int32_t oldWidth, oldHeight, newWidth, newHeight; } cases[] = {
        {800, 600, 0, 0}, {0, 0, 800, 600}, {800, 0, 800, 600}, {800, 600, 800, 0}, {-1, 600, 800, 600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.oldWidth << "x" << c.oldHeight << " -> " << c.newWidth << "x"
                                        << c.newHeight);
        ClearMarks();
        AddMark(3.0f, 4.0f, 1);
        stimulus.stimX = 10.0f;
        stimulus.stimY = 7.0f;
        stimulus.mouseX = 380;
        stimulus.mouseY = 266;
        receptiveField.centreX = 12.0f;
        receptiveField.centreY = 6.0f;
        appState.clientWidth = c.oldWidth;
        appState.clientHeight = c.oldHeight;
        RescalePositions(c.newWidth, c.newHeight);
        EXPECT_EQ(stimulus.stimX, 10.0f);
        EXPECT_EQ(stimulus.stimY, 7.0f);
        EXPECT_EQ(stimulus.mouseX, 380);
        EXPECT_EQ(stimulus.mouseY, 266);
        EXPECT_EQ(receptiveField.centreX, 12.0f);
        EXPECT_EQ(receptiveField.centreY, 6.0f);
        EXPECT_EQ(marks.markX[1], 3.0f);
        EXPECT_EQ(marks.markY[1], 4.0f);
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
