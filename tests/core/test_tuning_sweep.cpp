#include <gtest/gtest.h>

#include <cmath>

#include "tuning_test_support.h"

using namespace tuning_test;

// The whole timeline: a blank, then each point for its presentation, with
// the field restored at the end and every counted click in some point.
TEST(TuningSchedule, SweepRunsItsTimelineAndRestoresTheStimulus)
{
    ResetForSweep(Simple, Bar);
    stimulus.barLength = 3.0f;
    stimulus.stimulusOn = false;
    stimulus.stationaryMode = false;
    SweepPlan plan;
    plan.parameter = SweepSize;
    plan.from = 1.0f, plan.to = 5.0f, plan.points = 3;
    plan.repeats = 2;
    plan.presentTicks = 10;
    plan.blankTicks = 5;
    ASSERT_TRUE(StartSweep(plan));
    EXPECT_FALSE(StartSweep(plan)) << "one sweep at a time";
    EXPECT_EQ(tuningSweep.field, FieldBarLength);
    EXPECT_EQ(SweepTicksLeft(), 6 * 15);
    EXPECT_FALSE(StimulusPresent()) << "starts with a blank";

    int64_t n = 0;
    std::vector<float> shown;
    while (SweepRunning()) {
        RunTick(n++);
        PollSweep();
        if (StimulusPresent()) shown.push_back(stimulus.barLength);
        ASSERT_LT(n, 1000);
    }
    EXPECT_EQ(n, 90);
    ASSERT_EQ(tuningSweep.points.size(), 6u);
    const float expected[6] = {1, 3, 5, 1, 3, 5};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(tuningSweep.points[i].value, expected[i]);
        EXPECT_EQ(tuningSweep.points[i].repeat, i < 3 ? 1 : 2);
        EXPECT_FALSE(tuningSweep.points[i].hasHarmonics) << "a bar has no temporal frequency";
    }
    EXPECT_EQ(shown.size(), 6u * 10u) << "each point shown for its ticks";
    EXPECT_EQ(stimulus.barLength, 3.0f);
    EXPECT_FALSE(stimulus.stationaryMode);
    EXPECT_FALSE(stimulus.stimulusOn);
    EXPECT_EQ(SweepTicksLeft(), 0);
}
