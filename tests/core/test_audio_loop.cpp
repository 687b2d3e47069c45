// The audio thread run for real, with devices whose position the test holds
// or that the clock drives.

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/core/test_support.h"
#include "sim/clock.h"

using namespace ts;
using namespace std::chrono_literals;

namespace {

// A device the test plays by hand: it opens as told, and its play position,
// loss and error report are test atomics.
struct HandDevice {
    std::atomic<bool> openSucceeds{true};
    std::atomic<int64_t> position{0};
    std::atomic<bool> lost{false};
    std::atomic<int32_t> opens{0}, closes{0}, reports{0};
    std::atomic<int64_t> ticksAtLastOpen{0};
};
HandDevice hand;

bool HandOpen()
{
    hand.opens.fetch_add(1);
    hand.ticksAtLastOpen.store(AudioLoopStatistics().ticks);
    hand.position.store(0);
    hand.lost.store(false);
    return hand.openSucceeds.load();
}
void HandClose() { hand.closes.fetch_add(1); }
int64_t HandPosition() { return hand.position.load(); }
bool HandLost() { return hand.lost.load(); }
void HandReport(const char* text)
{
    EXPECT_STREQ(text, "Error preparing wave header");
    hand.reports.fetch_add(1);
}
WaveOutput HandOutput() { return WaveOutput{HandOpen, HandClose, HandPosition, HandLost, HandReport}; }

void ResetHand(bool openSucceeds)
{
    hand.openSucceeds = openSucceeds;
    hand.position = 0;
    hand.lost = false;
    hand.opens = 0;
    hand.closes = 0;
    hand.reports = 0;
}

// Waits until the loop has made `more` further ticks; the limit only keeps a
// broken loop from hanging the run, it is no measure of speed.
bool WaitTicks(int64_t more, std::chrono::milliseconds limit = 10000ms)
{
    const int64_t target = AudioLoopStatistics().ticks + more;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (AudioLoopStatistics().ticks < target) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

class ThreadedAudioLoop : public ::testing::Test {
protected:
    void TearDown() override { StopAudioThread(); }
};

TEST_F(ThreadedAudioLoop, WithoutADeviceReportsOnceAndKeepsTicking)
{
    PrepareOnCentreCell(42.0f);
    ResetHand(false);
    StartAudioThread(HandOutput());
    ASSERT_TRUE(WaitTicks(30));
    const AudioLoopStats stats = AudioLoopStatistics();
    EXPECT_EQ(hand.reports.load(), 1);
    EXPECT_EQ(hand.opens.load(), 1);
    // The position runs with the clock, so the slices move on with time.
    EXPECT_GT(stats.lastPlayPosition, 44 * 20 * 20);
    EXPECT_FLOAT_EQ(simulation.peakRate.load(), 42.0f);
    StopAudioThread();
    EXPECT_EQ(hand.closes.load(), 0);  // nothing was open
}

TEST_F(ThreadedAudioLoop, RestartsPastTheThresholdFromSilence)
{
    PrepareOnCentreCell(0.0f, true);  // hash only: every tick writes its slice
    ResetHand(true);
    StartAudioThread(HandOutput());
    ASSERT_TRUE(WaitTicks(2));
    hand.position = kAudioRestartAt - 500;  // the slice reaches the last sample
    ASSERT_TRUE(WaitTicks(3));
    EXPECT_EQ(hand.opens.load(), 1);
    int32_t loud = 0;
    for (int64_t i = kAudioSamples - 400; i < kAudioSamples; ++i) loud += audioSamples[i].load() != 0;
    EXPECT_GT(loud, 350);

    hand.position = kAudioRestartAt;  // not yet: the threshold is passed only above it
    ASSERT_TRUE(WaitTicks(3));
    EXPECT_EQ(hand.opens.load(), 1);

    hand.position = kAudioRestartAt + 1;
    ASSERT_TRUE(WaitTicks(4));
    EXPECT_EQ(hand.opens.load(), 2);
    EXPECT_EQ(hand.closes.load(), 1);
    StopAudioThread();
    EXPECT_EQ(hand.closes.load(), 2);
    EXPECT_EQ(hand.reports.load(), 0);
    // The end of the old stream was cleared; the new one starts at its lead.
    for (int64_t i = kAudioSamples - 6000; i < kAudioSamples; ++i) ASSERT_EQ(audioSamples[i].load(), 0) << i;
    for (int64_t i = 0; i < 4999; ++i) ASSERT_EQ(audioSamples[i].load(), 0) << i;
    EXPECT_NE(audioSamples[5100].load(), 0);  // hash since the restart (a 0 here is a 1-in-1000 draw)
    // The rate window counts again from slot 1, one slot for each tick since.
    const int64_t ticksSince = AudioLoopStatistics().ticks - hand.ticksAtLastOpen.load();
    EXPECT_EQ(simulation.rateWindowSlot, 1 + ticksSince % 25);
}

TEST_F(ThreadedAudioLoop, LostDeviceGoesSilentAndReopensAtTheRestart)
{
    PrepareOnCentreCell();
    ResetHand(true);
    StartAudioThread(HandOutput());
    ASSERT_TRUE(WaitTicks(2));
    hand.position = kAudioRestartAt - 3 * 882;
    ASSERT_TRUE(WaitTicks(2));
    hand.lost = true;  // e.g. headphones pulled out
    ASSERT_TRUE(WaitTicks(1));
    EXPECT_EQ(hand.closes.load(), 1);
    // Silent, the position runs on with the clock from where the device
    // stopped, passes the threshold and the stream restarts on a newly
    // opened device.
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (hand.opens.load() < 2 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(2ms);
    EXPECT_EQ(hand.opens.load(), 2);
    EXPECT_EQ(hand.reports.load(), 0);
    ASSERT_TRUE(WaitTicks(2));
    EXPECT_LT(AudioLoopStatistics().lastPlayPosition, 44100);
}

TEST_F(ThreadedAudioLoop, StalledDeviceIsGivenUpAfterASecond)
{
    PrepareOnCentreCell();
    ResetHand(true);
    StartAudioThread(HandOutput());
    hand.position = 7000;  // and there it stays
    // Given up once it has stood still for a second of the loop's clock.
    ASSERT_TRUE(WaitTicks(75, 10000ms));
    EXPECT_EQ(hand.closes.load(), 1);
    const AudioLoopStats stats = AudioLoopStatistics();
    EXPECT_GT(stats.lastPlayPosition, 7000);  // now from the clock
    EXPECT_TRUE(WaitTicks(5));
    EXPECT_GT(AudioLoopStatistics().lastPlayPosition, stats.lastPlayPosition);
}

}  // namespace
