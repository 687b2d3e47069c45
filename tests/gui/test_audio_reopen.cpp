// A sound device that goes away or stalls while the program plays: the audio
// thread carries on without it and a real SDL device (disk or dummy driver)
// is opened again through the program's own functions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/sdl_wave_output.h"
#include "tests/core/test_support.h"

using namespace ts;
using namespace std::chrono_literals;

namespace {

// The SDL device, with a loss or a stall the test can bring about and opens
// it can refuse for a while.
struct Outage {
    WaveOutput sdl;
    std::atomic<bool> lost{false}, frozen{false}, openAllowed{true};
    std::atomic<int64_t> frozenAt{0}, openedAt{-1};
    std::atomic<int32_t> opens{0}, reports{0};
};
Outage outage;

bool OutageOpen(int64_t fromSample)
{
    outage.opens.fetch_add(1);
    if (!outage.openAllowed.load()) return false;
    outage.lost = false;
    outage.frozen = false;
    if (!outage.sdl.open(fromSample)) return false;
    outage.openedAt = fromSample;
    return true;
}
int64_t OutagePosition()
{
    const int64_t p = outage.sdl.playPosition();
    return outage.frozen.load() ? outage.frozenAt.load() : p;
}
bool OutageLost() { return outage.lost.load() || outage.sdl.lost(); }
void OutageReport(const char* text)
{
    EXPECT_STREQ(text, "Error preparing wave header");
    outage.reports.fetch_add(1);
}

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::vector<int16_t> StreamSlice(int64_t from, int64_t to)
{
    std::vector<int16_t> s;
    for (int64_t i = std::max<int64_t>(from, 0); i < std::min<int64_t>(to, kAudioSamples); ++i)
        s.push_back(audioSamples[i].load());
    return s;
}

TEST(AudioReopen, SoundComesBackAfterALossOrAStall)
{
    const struct {
        const char* driver;
        bool stall;          // else the device reports itself gone
        bool refuseFirstTry; // the first reopen finds no device
    } cases[] = {{"disk", false, true}, {"dummy", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver);
        const std::string capture = (std::filesystem::temp_directory_path() /
                                     ("tessaline_reopen_" + std::to_string(getpid()) + ".raw")).string();
        setenv("SDL_AUDIODRIVER", c.driver, 1);
        setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
        PrepareOnCentreCell(60.0f);  // 60 clicks a second at rest
        outage.sdl = SdlWaveOutput();
        outage.lost = outage.frozen = false;
        outage.openAllowed = true;
        outage.openedAt = -1;
        outage.opens = outage.reports = 0;
        StartAudioThread(WaveOutput{OutageOpen, outage.sdl.close, OutagePosition, OutageLost, OutageReport});
        ASSERT_TRUE(WaitFor([] { return AudioLoopStatistics().ticks > 25 && AudioLoopStatistics().playing; }, 3000ms));

        outage.openAllowed = !c.refuseFirstTry;
        const int64_t lossAt = AudioLoopStatistics().lastPlayPosition;
        if (c.stall) {
            outage.frozenAt = lossAt;
            outage.frozen = true;
        } else {
            outage.lost = true;
        }
        ASSERT_TRUE(WaitFor([] { return !AudioLoopStatistics().playing; }, 3000ms));
        if (c.refuseFirstTry) {
            ASSERT_TRUE(WaitFor([] { return AudioLoopStatistics().reopenAttempts >= 1; }, 4000ms));
            outage.openAllowed = true;
        }
        ASSERT_TRUE(WaitFor([] { return AudioLoopStatistics().reopens >= 1; }, 6000ms));
        const int64_t from = outage.openedAt.load();
        const int64_t ticksBack = AudioLoopStatistics().ticks;
        ASSERT_TRUE(WaitFor([&] { return AudioLoopStatistics().ticks > ticksBack + 40; }, 3000ms));
        const AudioLoopStats stats = AudioLoopStatistics();
        StopAudioThread();
        unsetenv("SDL_DISKAUDIOFILE");
        setenv("SDL_AUDIODRIVER", "dummy", 1);

        // One message for the whole outage, failed tries included.
        EXPECT_EQ(outage.reports.load(), 1);
        EXPECT_EQ(outage.opens.load(), 1 + stats.reopenAttempts);
        EXPECT_EQ(stats.reopenAttempts, c.refuseFirstTry ? 2 : 1);
        EXPECT_TRUE(stats.playing);
        // The new device started where the clock had got to, not at 0, and
        // its own position drives the slices again.
        EXPECT_GT(from, lossAt);
        EXPECT_GT(stats.lastPlayPosition, from + 882);

        // Without sound the clicks went on into the stream at their rate (a
        // stalled position piles the ticks of its last second onto one slice).
        const ClickScan silent = ScanClicks(StreamSlice(lossAt + kAudioLead, from + kAudioLead));
        const double expected = 60.0 * double(from - lossAt) / kAudioRate;
        if (!c.stall) {
            EXPECT_EQ(silent.brokenClickSamples, 0u);
        }
        EXPECT_GT(double(silent.starts.size()), 0.5 * expected) << expected;

        if (std::strcmp(c.driver, "disk") == 0) {
            // The reopened device played the stream from `from` sample for sample.
            std::ifstream in(capture, std::ios::binary);
            std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::vector<int16_t> played(bytes.size() / 2);
            std::memcpy(played.data(), bytes.data(), played.size() * 2);
            ASSERT_GT(played.size(), 20000u);
            const std::vector<int16_t> stream = StreamSlice(from, from + int64_t(played.size()));
            ASSERT_EQ(stream.size(), played.size());
            size_t differing = 0;
            for (size_t i = 0; i < played.size(); ++i) differing += played[i] != stream[i];
            EXPECT_EQ(differing, 0u);
            // Whole clicks, but for at most one where the new device's first
            // slice overlapped the last one the clock placed.
            const ClickScan heard = ScanClicks(played);
            EXPECT_LE(heard.brokenClickSamples, 12u);
            EXPECT_GE(heard.starts.size(), 10u);
        }
        std::filesystem::remove(capture);
    }
}

}  // namespace
