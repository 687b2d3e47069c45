#include <gtest/gtest.h>

#include <cmath>

#include "tuning_test_support.h"

using namespace tuning_test;

TEST(TuningSchedule, HostilePlansAreTamed)
{
    SweepPlan plan;
    plan.parameter = 99;
    plan.from = NAN;
    plan.points = -5;
    plan.repeats = 1 << 30;
    plan.presentTicks = 0;
    plan.blankTicks = -1;
    SweepPlan p = SanitisePlan(plan);
    EXPECT_EQ(p.parameter, SweepOrientation);
    EXPECT_EQ(p.from, 0.0f);
    EXPECT_EQ(p.points, 1);
    EXPECT_EQ(p.repeats, 100);
    EXPECT_EQ(p.presentTicks, 1);
    EXPECT_EQ(p.blankTicks, 0);

    plan.parameter = SweepSpatialFrequency;
    plan.from = -1.0f;
    plan.to = 1e30f;
    plan.points = 4;
    for (float v : SweepValues(plan)) {
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_GT(v, 0.0f);
        EXPECT_LE(v, 20.0f);
    }
    EXPECT_EQ(OrientationPlan(0.0f, 1, 50).points, 360);  // a step below 1 degree is 1 degree
    EXPECT_EQ(OrientationPlan(NAN, 1, 50).points, 12);
}

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

// Counting: every spike of the presented ticks is in the point, and a reader
// that falls more than a ring behind loses only the ticks overwritten.
TEST(TuningSchedule, CountsEverySpikeAndSurvivesALappedRing)
{
    ResetForSweep(OnCentreX, Spot);
    stimulus.spotRadius = 0.3f;
    SweepPlan plan;
    plan.parameter = SweepContrast;
    plan.from = plan.to = 100.0f;
    plan.points = 1;
    plan.presentTicks = 50;
    plan.blankTicks = 0;
    ASSERT_TRUE(StartSweep(plan));
    ASSERT_TRUE(StimulusPresent());
    for (int64_t n = 0; n < 50; ++n) RunTick(n);
    PollSweep();
    ASSERT_EQ(tuningSweep.points.size(), 1u);
    EXPECT_FLOAT_EQ(tuningSweep.points[0].meanRate, clicks / 1.0f);
    EXPECT_GT(tuningSweep.points[0].peakRate, 15.0f);

    ResetForSweep(OnCentreX, Spot);
    plan.presentTicks = kTickRingSlots + 100;
    ASSERT_TRUE(StartSweep(plan));
    for (int64_t n = 0; n < plan.presentTicks; ++n) RunTick(n);
    PollSweep();
    ASSERT_EQ(tuningSweep.points.size(), 1u);
    const float rate = tuningSweep.points[0].meanRate;
    EXPECT_TRUE(std::isfinite(rate));
    EXPECT_GT(rate, 15.0f);
    EXPECT_LT(rate, 100.0f);
}
