// The audio thread run for real on a scripted clock, with a device whose position the test holds: each step
// moves both on by one tick and returns once the loop has run it, so every count below is exact.
#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

#include "tests/core/clock_output.h"
#include "tests/core/test_support.h"

using namespace ts;
using namespace std::chrono_literals;

namespace {

// It counts its opens, closes and reports, refuses to open and reports itself lost (once) when told to.
struct HandDevice {
    std::atomic<int64_t> position{0}, openedAt{-1};
    std::atomic<int32_t> opens{0}, closes{0}, reports{0};
    std::atomic<bool> refuse{false}, lost{false};
};
HandDevice hand;
int64_t nowMs = 0;

WaveOutput HandOutput()
{
    hand.position = 0, hand.openedAt = -1;
    hand.opens = hand.closes = hand.reports = 0;
    hand.refuse = hand.lost = false;
    return WaveOutput{[](int64_t fromSample) {
                          hand.opens.fetch_add(1);
                          if (!hand.refuse) hand.position = hand.openedAt = fromSample;
                          return !hand.refuse;
                      },
                      [] { hand.closes.fetch_add(1); }, [] { return hand.position.load(); },
                      [] { return hand.lost.exchange(false); },
                      [](const char* text) { EXPECT_STREQ(text, "Error preparing wave header"); hand.reports.fetch_add(1); }};
}

// Waits for what another thread does at the clock's present reading (the limit only stops a hang).
template <typename Condition>
bool Await(Condition done)
{
    for (const auto end = std::chrono::steady_clock::now() + 10s; !done() && std::chrono::steady_clock::now() < end;)
        std::this_thread::sleep_for(50us);
    return done();
}

bool Start(const WaveOutput& output)
{
    StartAudioThread(output);
    return Await([] { return AudioLoopStatistics().ticks == 1; });
}

// `ticks` steps of 20 ms, the device playing in step unless frozen.
bool Step(int32_t ticks, bool playing = true)
{
    for (int32_t i = 0; i < ticks; ++i) {
        const int64_t target = AudioLoopStatistics().ticks + 1;
        if (playing) hand.position += kAudioSlice;
        SetScriptedClock(nowMs += 20);
        if (!Await([&] { return AudioLoopStatistics().ticks == target; })) return false;
    }
    return true;
}

class ThreadedAudioLoop : public ::testing::Test {
protected:
    // On the audio loop's grid: it ticks once as it starts, then once a step.
    void SetUp() override { SetScriptedClock(nowMs = 100005); }
    void TearDown() override { StopAudioThread(), SetScriptedClock(-1); }
};

// Spikes of the neuron ticks after tick `since`.
int64_t SpikesSince(int64_t since)
{
    int64_t spikes = 0;
    for (int64_t n = since + 1; n <= simulation.neuronTicks.load(); ++n) spikes += simulation.tickSpikes[n % kTickRingSlots].load();
    return spikes;
}

TEST_F(ThreadedAudioLoop, StartsAndStopsManyTimes)
{
    PrepareOnCentreCell();
    for (int round = 0; round < 9; ++round) {
        StartAudioThread(ClockWaveOutput());
        if (round % 3 == 0) StartAudioThread(ClockWaveOutput());  // a start while running restarts
        if (round % 2 == 0) Await([] { return AudioLoopStatistics().ticks > 0; });
        StopAudioThread(), StopAudioThread();
    }
    ASSERT_TRUE(Start(HandOutput()));
    EXPECT_TRUE(Step(3));
    StopAudioThread();
    EXPECT_EQ(std::tuple(hand.opens.load(), hand.closes.load(), hand.reports.load()), std::tuple(1, 1, 0));
}

// Hours into a session the stream goes on with the same device, the hash the lead ahead of wherever it is.
TEST_F(ThreadedAudioLoop, GoesOnFarIntoASessionWithTheSameDevice)
{
    PrepareOnCentreCell(0.0f, true);  // hash only: every tick writes its slice
    ASSERT_TRUE(Start(HandOutput()));
    for (const int64_t at : {int64_t{44095001}, int64_t{4410000} * 3600 / 100 * 5, int64_t{1} << 40}) {
        hand.position = at - 3 * kAudioSlice;
        ASSERT_TRUE(Step(3));
        const AudioLoopStats stats = AudioLoopStatistics();
        EXPECT_EQ(stats.lastPlayPosition, at);
        int32_t loud = 0;
        for (int64_t i = at + stats.lead; i < at + stats.lead + kAudioSlice; ++i) loud += StreamSample(i).load() != 0;
        EXPECT_GT(loud, 800);
    }
    StopAudioThread();
    EXPECT_EQ(std::tuple(hand.opens.load(), hand.closes.load(), hand.reports.load()), std::tuple(1, 1, 0));
}

// No device at the start: one message, however many tries fail, and the model runs on with the clock.
TEST_F(ThreadedAudioLoop, NoDeviceAtTheStartIsReportedOnce)
{
    PrepareOnCentreCell(37.0f);
    const WaveOutput none = HandOutput();
    hand.refuse = true;
    ASSERT_TRUE(Start(none));
    ASSERT_TRUE(Step(150));  // 3 s: one more try after 2 s
    ASSERT_TRUE(Await([] { return AudioLoopStatistics().reopenAttempts == 1; }));
    EXPECT_EQ(std::tuple(hand.opens.load(), hand.reports.load()), std::tuple(2, 1));
    EXPECT_FALSE(AudioLoopStatistics().playing);
    EXPECT_EQ(AudioLoopStatistics().lastPlayPosition, 150 * kAudioSlice);
    EXPECT_FLOAT_EQ(simulation.peakRate.load(), 37.0f);
}

// A device lost, or one whose position stands still, goes to the keeper, whose first try fails; the next,
// 2 s later, opens a device where the clock has got to, and its position drives the slices again.
TEST_F(ThreadedAudioLoop, SoundComesBackAfterALossOrAStall)
{
    for (const bool stall : {false, true}) {
        SCOPED_TRACE(stall ? "stall" : "loss");
        PrepareOnCentreCell(60.0f);  // 60 clicks a second at rest
        ASSERT_TRUE(Start(HandOutput()));
        ASSERT_TRUE(Step(120));
        hand.refuse = true;
        if (stall) {
            // Still after 40 ticks and a second since it last moved.
            ASSERT_TRUE(Step(49, false));
            EXPECT_TRUE(AudioLoopStatistics().playing);
            ASSERT_TRUE(Step(1, false));
        } else {
            hand.lost = true;
            ASSERT_TRUE(Step(1));
        }
        EXPECT_FALSE(AudioLoopStatistics().playing);
        ASSERT_TRUE(Await([] { return AudioLoopStatistics().reopenAttempts == 1; }));
        const int64_t lossAt = AudioLoopStatistics().lastPlayPosition, ticksAtLoss = simulation.neuronTicks.load();
        hand.refuse = false;
        ASSERT_TRUE(Step(99));
        EXPECT_EQ(AudioLoopStatistics().reopenAttempts, 1);
        ASSERT_TRUE(Step(1));
        ASSERT_TRUE(Await([] { return hand.opens.load() == 3; }));
        EXPECT_EQ(hand.openedAt.load(), lossAt + 100 * kAudioSlice);
        // Without sound the clicks went on at their rate (about 120 in 2 s).
        EXPECT_NEAR(double(SpikesSince(ticksAtLoss)), 120.0, 40.0);
        ASSERT_TRUE(Step(41));
        const AudioLoopStats stats = AudioLoopStatistics();
        EXPECT_TRUE(stats.playing);
        EXPECT_EQ(stats.lastPlayPosition, lossAt + 141 * kAudioSlice);
        EXPECT_EQ(std::tuple(stats.reopens, stats.reopenAttempts, stats.lostClicks), std::tuple(1, 2, int64_t{0}));
        StopAudioThread();
        EXPECT_EQ(std::tuple(hand.reports.load(), hand.opens.load(), hand.closes.load()), std::tuple(1, 3, 2));
    }
}

// A device whose close hangs until the test lets it go (on the steady clock: the stop gives up on such a
// keeper after two real seconds). It counts opens and calls that run beside another.
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

bool WaitTicks(int64_t more)
{
    const int64_t target = AudioLoopStatistics().ticks + more;
    return Await([&] { return AudioLoopStatistics().ticks >= target; });
}
// A device close that hangs is left behind at the stop; the next start runs silent and touches no device
// until that close returns, then plays again.
TEST_F(ThreadedAudioLoop, AStartNeverRunsBesideAKeeperLeftBehind)
{
    SetScriptedClock(-1);
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
    EXPECT_TRUE(Await([] { return AudioLoopStatistics().playing; }));
    StopAudioThread();
    EXPECT_EQ(stuck.opens.load(), 2);
    EXPECT_EQ(stuck.overlaps.load(), 0);
}

}  // namespace
