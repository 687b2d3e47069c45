// The audio thread run for real, on a device whose position the test holds.
// (The SDL path, a missing, lost or stalled device are the SDL test's.)
#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

#include "sim/clock.h"
#include "tests/core/clock_output.h"
#include "tests/core/test_support.h"

using namespace ts;
using namespace std::chrono_literals;

namespace {

// A device the test plays by hand: its play position is a test atomic, and
// it counts its opens, closes and error reports.
struct HandDevice {
    std::atomic<int64_t> position{0}, ticksAtLastOpen{0};
    std::atomic<int32_t> opens{0}, closes{0}, reports{0};
};
HandDevice hand;

WaveOutput HandOutput()
{
    hand.position = 0;
    hand.opens = hand.closes = hand.reports = 0;
    return WaveOutput{[](int64_t fromSample) {
                          hand.opens.fetch_add(1);
                          hand.ticksAtLastOpen.store(AudioLoopStatistics().ticks);
                          hand.position.store(fromSample);
                          return true;
                      },
                      [] { hand.closes.fetch_add(1); }, [] { return hand.position.load(); }, [] { return false; },
                      [](const char* text) {
                          EXPECT_STREQ(text, "Error preparing wave header");
                          hand.reports.fetch_add(1);
                      }};
}

// Waits until the loop has made `more` further ticks (the limit only keeps
// a dead loop from hanging the run).
bool WaitTicks(int64_t more, std::chrono::milliseconds limit = 3000ms)
{
    const int64_t target = AudioLoopStatistics().ticks + more;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (AudioLoopStatistics().ticks < target && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(2ms);
    return AudioLoopStatistics().ticks >= target;
}

class ThreadedAudioLoop : public ::testing::Test {
protected:
    void TearDown() override { StopAudioThread(); }
};

TEST_F(ThreadedAudioLoop, StartsAndStopsManyTimes)
{
    PrepareOnCentreCell();
    for (int round = 0; round < 9; ++round) {
        StartAudioThread(ClockWaveOutput());
        std::this_thread::sleep_for(std::chrono::milliseconds(round * 3));
        if (round % 3 == 0) StartAudioThread(ClockWaveOutput());  // a start while running restarts
        StopAudioThread();
        StopAudioThread();
    }
    StartAudioThread(HandOutput());
    EXPECT_TRUE(WaitTicks(3));
    StopAudioThread();
    EXPECT_EQ(std::tuple(hand.opens.load(), hand.closes.load(), hand.reports.load()), std::tuple(1, 1, 0));
}

// Hours into a session the stream goes on with the same device: nothing
// to restart, and the hash lands the lead ahead of wherever the device is.
TEST_F(ThreadedAudioLoop, GoesOnFarIntoASessionWithTheSameDevice)
{
    PrepareOnCentreCell(0.0f, true);  // hash only: every tick writes its slice
    StartAudioThread(HandOutput());
    ASSERT_TRUE(WaitTicks(2));
    for (const int64_t at : {int64_t{44095001}, int64_t{4410000} * 3600 / 100 * 5, int64_t{1} << 40}) {
        hand.position = at;
        ASSERT_TRUE(WaitTicks(3));
        const AudioLoopStats stats = AudioLoopStatistics();
        EXPECT_EQ(stats.lastPlayPosition, at);
        int32_t loud = 0;
        for (int64_t i = at + stats.lead; i < at + stats.lead + 882; ++i) loud += StreamSample(i).load() != 0;
        EXPECT_GT(loud, 800);
    }
    StopAudioThread();
    EXPECT_EQ(std::tuple(hand.opens.load(), hand.closes.load(), hand.reports.load()), std::tuple(1, 1, 0));
}

// A device whose close hangs until the test lets it go. It counts opens and
// calls that run beside another.
struct StuckDevice {
    std::atomic<bool> lost{false}, letGo{false};
    std::atomic<int32_t> inCall{0}, overlaps{0}, opens{0}, reports{0};
} stuck;

void Call(bool hang)
{
    stuck.overlaps += stuck.inCall.fetch_add(1) != 0;
    while (hang && !stuck.letGo) std::this_thread::sleep_for(1ms);
    stuck.inCall.fetch_sub(1);
}

WaveOutput StuckOutput()
{
    return WaveOutput{[](int64_t) { return Call(false), stuck.opens.fetch_add(1), true; }, [] { Call(true); },
                      [] { return MillisecondClock() * kAudioRate / 1000; },
                      [] { return stuck.lost.exchange(false); }, [](const char*) { stuck.reports.fetch_add(1); }};
}

// A device close that hangs is left behind at the stop; the next start runs
// silent and touches no device until that close returns, then plays again.
TEST_F(ThreadedAudioLoop, AStartNeverRunsBesideAKeeperLeftBehind)
{
    stuck.lost = stuck.letGo = false;
    stuck.overlaps = stuck.opens = stuck.reports = 0;
    StartAudioThread(StuckOutput());
    ASSERT_TRUE(WaitTicks(3));
    stuck.lost = true;  // the keeper's close of it hangs
    ASSERT_TRUE(WaitTicks(3));
    StopAudioThread();  // gives up on the keeper after two seconds
    StartAudioThread(StuckOutput());
    ASSERT_TRUE(WaitTicks(10)) << "the neuron ticks on without sound";
    EXPECT_EQ(stuck.opens.load(), 1) << "no device opened while the old close hangs";
    EXPECT_EQ(stuck.reports.load(), 2) << "the loss, and the start without sound";
    stuck.letGo = true;
    for (int32_t i = 0; i < 300 && !AudioLoopStatistics().playing; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(AudioLoopStatistics().playing);
    EXPECT_EQ(stuck.opens.load(), 2);
    EXPECT_EQ(stuck.overlaps.load(), 0);
}

}  // namespace
