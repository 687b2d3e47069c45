#include <gtest/gtest.h>

#include <cmath>

#include "tuning_test_support.h"

using namespace tuning_test;

// Whole sweeps over the default model cells with the default drifting grating
// at the field's centre, every tick run directly with a seeded random word.

// Preferred and opposite directions with long presentations, so that the
// onset is a small part of each and the counts are large.
TEST(TuningCells, DirectionAndModulationIndicesByCellType)
{
    struct Case {
        int32_t cell;
        float dsiLow, dsiHigh;
        bool simpleLike;
    };
    const Case cases[] = {
        {Simple, 0.0f, 0.06f, true},
        {DirectionalSimple, 0.08f, 0.3f, true},
        {Complex, 0.2f, 0.5f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        ResetForSweep(c.cell, Grating);
        SweepPlan plan = OrientationPlan(180.0f, 1, 400);
        plan.from = 90.0f;
        RunSweep(plan);
        ASSERT_EQ(tuningSweep.points.size(), 2u);
        const TuningSummary s = SummaryOfSweep();
        ASSERT_TRUE(s.hasDsi);
        EXPECT_FALSE(s.hasOsi) << "no orthogonal direction was measured";
        EXPECT_GE(s.dsi, c.dsiLow);
        EXPECT_LE(s.dsi, c.dsiHigh);
        ASSERT_TRUE(s.hasF1F0);
        if (c.simpleLike) {
            EXPECT_GT(s.f1f0, 1.2f);
            EXPECT_LT(s.f1f0, 1.8f);
        } else {
            EXPECT_LT(s.f1f0, 0.4f);
        }
        for (const TuningPoint& p : tuningSweep.points) {
            EXPECT_TRUE(p.hasHarmonics);
            EXPECT_GE(p.peakRate, p.f0 * 0.5f) << "the readout follows the response";
            EXPECT_LT(p.peakRate, 100.0f) << "never reaches the saturation rate";
        }
    }
}
