// The tuning recorder reads the neuron tick's ring while the tick writes it.
#include "tests/core/test_support.h"
#include "tuning/tuning_sweep.h"

using namespace ts;

// After a stall of the user-interface thread the recorder reads a whole ring at once. Having published tick n,
// the writer may already have written tick n + 1 into the slot of tick n + 1 - 512: that tick is lost, not misread.
TEST(TuningRing, TheSlotTheWriterRewritesNextIsNotTrusted)
{
    ResetEngine(OnCentreX);
    SweepPlan plan = OrientationPlan(180.0f, 1, 3000);
    plan.blankTicks = 0;
    ASSERT_TRUE(StartSweep(plan));
    const int64_t start = simulation.neuronTicks.load();
    for (int32_t t = 1; t <= 1000; ++t) RecordTick(1);
    simulation.tickSpikes[(start + 1001) % kTickRingSlots] = 7;  // tick 1001 begun, not yet published
    PollSweep();
    for (int32_t k = 0; k < 1000; ++k) EXPECT_EQ(tuningSweep.tickSpikes[k], k < 489 ? -1 : 1) << "tick " << k + 1;
    StopSweep();
}
