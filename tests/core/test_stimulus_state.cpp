// The stimulus record under the wheel and the keys, positions across a resize, and Enter after a hand plot.
#include <limits>
#include <tuple>

#include "tests/core/test_support.h"

namespace {

class Stimulus : public testing::Test {
protected:
    void SetUp() override { ResetEngineRecords(800, 600); }
};

TEST_F(Stimulus, OrientationStepsAndWraps)
{
    const struct { int32_t type; float start; bool wheel; int32_t input; float result; } cases[] = {
        {Bar, 357.0f, true, 120, 2.0f},      {Bar, 3.0f, true, -120, 358.0f},  // the wheel, past 360 and 0
        {Grating, 10.0f, true, 32767, 15.0f},  // one step per message, however large
        {Bar, 10.0f, true, 0, 10.0f},        {Bar, 0.0f, false, KeyRight, 359.0f}, {Bar, 360.0f, false, KeyLeft, 1.0f},
        {Spot, -5.0f, false, 'A', 355.0f},   {Bar, 800.0f, false, 'A', 440.0f},    // other keys wrap, once
        {Spot, 357.0f, true, 120, 357.0f},   // a spot's wheel leaves the orientation
    };
    for (const auto& c : cases) {
        ResetStimulus();
        SetStimulusType(c.type);
        stimulus.orientation = c.start;
        c.wheel ? OnWheel(c.input) : OnKeyDown(c.input);
        EXPECT_EQ(stimulus.orientation, c.result) << c.type << ", " << c.start << ", " << c.input;
    }
}

// A minimised window (0 x 0) or a nonsense size on either side of a resize leaves every position where it was
// (scaling is the shell resize test's), and a growth that would overflow a float keeps the old value.
TEST_F(Stimulus, ResizeKeepsPositionsWithoutAnArea)
{
    for (auto [oldWidth, oldHeight, newWidth, newHeight] :
         {std::tuple{800, 600, 0, 0}, {0, 0, 800, 600}, {-1, 600, 800, 600}}) {
        ClearMarks(), AddMark(3.0f, 4.0f, 1);
        stimulus.stimX = 10.0f, receptiveField.centreX = 12.0f;
        RescalePositions(oldWidth, oldHeight, newWidth, newHeight);
        EXPECT_EQ(std::tuple(stimulus.stimX.load(), receptiveField.centreX.load(), marks.markX[1].load()),
                  std::tuple(10.0f, 12.0f, 3.0f)) << oldWidth << " x " << oldHeight << " -> " << newWidth;
    }
    stimulus.stimX = 3e38f;
    RescalePositions(1, 1, 65535, 1);
    EXPECT_EQ(std::pair(stimulus.stimX.load(), stimulus.mouseX.load()), std::pair(3e38f, std::numeric_limits<int32_t>::max()));
}

// A phone turned from upright (390 x 730 frame pixels) to wide (844 x 300) and back: offsets from the centre
// in degrees stay, a place past the new field's edge is held on it, and turning back restores what fitted.
TEST_F(Stimulus, TurningKeepsOffsetsFromTheCentreInDegrees)
{
    const auto fromCentre = [](float x, float y, int32_t w, int32_t h) { return std::pair(38 * x - w / 2, 38 * y - h / 2); };
    ClearMarks(), AddMark(9.0f, 11.0f, 1);
    receptiveField.centreX = 4.0f, receptiveField.centreY = 12.0f, stimulus.stimY = 0.5f;  // 9.1 degrees above the centre
    TurnPositions(390, 730, 844, 300);
    EXPECT_NEAR(fromCentre(receptiveField.centreX, receptiveField.centreY, 844, 300).first, 38 * 4.0f - 195, 1e-3f);
    EXPECT_NEAR(fromCentre(marks.markX[1], marks.markY[1], 844, 300).second, 38 * 11.0f - 365, 1e-3f);
    EXPECT_EQ(std::pair(stimulus.stimY.load(), stimulus.mouseY.load()), std::pair(0.0f, 0));
    TurnPositions(844, 300, 390, 730);
    EXPECT_NEAR(receptiveField.centreY, 12.0f, 1e-4f);
}

TEST(Marks, EnterRevealsAndAsksForFeedback)
{
    ResetEngineRecords(1000, 700);
    const struct { int32_t cellType, mode; bool withMark; int32_t modeAfter, savedAfter; bool feedback; } cases[] = {
        {Simple, Hidden, true, Revealed, Hidden, true},  {DirectionalSimple, Hidden, true, Revealed, Hidden, true},
        {Simple, Hidden, false, Hidden, GreyScale, true},     // no marks: mode unchanged, still feedback
        {Complex, Revealed, true, Revealed, GreyScale, true},  // already revealed: only the feedback
        {OnCentreX, Hidden, true, Revealed, Hidden, false},    // X cells: revealed, no dialog
        {OffCentreX, GreyScale, false, GreyScale, GreyScale, false},
    };
    for (const auto& c : cases) {
        ClearMarks();
        receptiveField.cellType = c.cellType, receptiveField.displayMode = c.mode, receptiveField.savedDisplayMode = GreyScale;
        if (c.withMark) AddMark(1.0f, 1.0f, 1);
        const bool feedback = OnCharacter('\r');
        EXPECT_EQ(std::tuple(feedback, receptiveField.displayMode.load(), receptiveField.savedDisplayMode.load()),
                  std::tuple(c.feedback, c.modeAfter, c.savedAfter)) << c.cellType << ", " << c.mode << ", " << c.withMark;
    }
}

}  // namespace
