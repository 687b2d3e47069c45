// The loops' pacing: after a tick held up until `heldUntil`, how many ticks run at once and where the next
// sleep ends, stepped through the rule alone.
#include <gtest/gtest.h>

#include "sim/deadline_loop.h"

namespace {

using std::chrono::milliseconds;

TEST(DeadlineLoop, CatchesUpAfterAnOverrunAndRestartsAfterAStall)
{
    // atOnce: ticks that start as soon as the one before ends; nextSleep: the first deadline still ahead.
    struct Case { milliseconds stall, heldUntil; int32_t atOnce; milliseconds nextSleep; };
    const Case cases[] = {
        {milliseconds(20), milliseconds(5), 0, milliseconds(20)},     // on time
        {milliseconds(20), milliseconds(20), 1, milliseconds(40)},    // ends on its deadline
        {milliseconds(20), milliseconds(35), 1, milliseconds(40)},    // overran: the next at once
        {milliseconds(20), milliseconds(40), 2, milliseconds(60)},    // a whole tick late, still caught up
        {milliseconds(20), milliseconds(110), 1, milliseconds(130)},  // stalled: afresh from now
        {milliseconds(200), milliseconds(110), 5, milliseconds(120)}, // made up tick by tick
        {milliseconds(200), milliseconds(220), 11, milliseconds(240)},
        {milliseconds(200), milliseconds(221), 1, milliseconds(241)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stall " << c.stall.count() << " held until " << c.heldUntil.count());
        const SteadyClock::time_point start{};
        SteadyClock::time_point now = start + c.heldUntil;
        SteadyClock::time_point deadline = NextDeadline(start, now, c.stall);
        int32_t atOnce = 0;
        // Ticks that take no time: each deadline already reached runs one more.
        for (; deadline <= now && atOnce < 100; ++atOnce) deadline = NextDeadline(deadline, now, c.stall);
        EXPECT_EQ(atOnce, c.atOnce);
        EXPECT_EQ(deadline - start, c.nextSleep);
    }
}

// The scene loop's deadlines at the grid's marks and the audio loop's 5 ms after them, from any moment.
TEST(DeadlineLoop, GridKeepsTheNeuronTickJustAfterTheSceneTick)
{
    const struct { int64_t atUs, sceneUs, neuronUs; } cases[] = {
        {0, 0, 5000}, {1, 20000, 5000}, {4999, 20000, 5000}, {5000, 20000, 5000},
        {5001, 20000, 25000}, {19999, 20000, 25000}, {-1, 0, 5000}, {-15001, 0, -15000},
        {1000000007, 1000020000, 1000005000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.atUs);
        const SteadyClock::time_point t{std::chrono::microseconds(c.atUs)};
        EXPECT_EQ(GridPointAfter(t, milliseconds(0)), SteadyClock::time_point{std::chrono::microseconds(c.sceneUs)});
        EXPECT_EQ(GridPointAfter(t, milliseconds(5)), SteadyClock::time_point{std::chrono::microseconds(c.neuronUs)});
    }
}

}  // namespace
