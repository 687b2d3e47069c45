// The real audio path: the audio thread on an SDL device, the stream
// captured by SDL's disk driver (it writes what the device plays). A device
// that is missing, goes away or stalls. The assertions are on what the
// stream holds, never on how fast it came.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "audio/sdl_wave_output.h"
#include "tests/core/test_support.h"

using namespace ts;
using namespace std::chrono_literals;

namespace {

// Chooses the SDL driver (and the disk driver's file) for one run, and puts
// the default back afterwards.
struct DriverChoice {
    std::string file;
    DriverChoice(const char* driver, const std::string& name) : file(name)
    {
        if (file.empty()) file = (std::filesystem::temp_directory_path() /
                                  ("tessaline_" + std::to_string(getpid()) + ".raw")).string();
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    }
    ~DriverChoice()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
        std::filesystem::remove(file);
    }
    std::vector<int16_t> Captured() const
    {
        std::vector<int16_t> samples(std::filesystem::file_size(file) / 2);
        std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(samples.data()), samples.size() * 2);
        return samples;
    }
};

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit = 6000ms)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
    return condition();
}

// Spikes of the neuron ticks since tick `since` (within the last 10 s).
int64_t SpikesSince(int64_t since)
{
    int64_t spikes = 0;
    for (int64_t n = since + 1; n <= simulation.neuronTicks.load(); ++n) spikes += simulation.tickSpikes[n % kTickRingSlots].load();
    return spikes;
}

// The SDL device, with a loss or a stall the test brings about and opens it
// can refuse for a while.
struct Outage {
    WaveOutput sdl;
    std::atomic<bool> lost{false}, frozen{false}, openAllowed{true};
    std::atomic<int64_t> frozenAt{0}, openedAt{-1};
    std::atomic<int32_t> opens{0}, reports{0};
};
Outage outage;

WaveOutput OutageOutput()
{
    outage.sdl = SdlWaveOutput();
    outage.lost = outage.frozen = false;
    outage.openAllowed = true;
    outage.opens = outage.reports = 0;
    return WaveOutput{[](int64_t fromSample) {
                          outage.opens.fetch_add(1);
                          if (!outage.openAllowed.load()) return false;
                          outage.lost = outage.frozen = false;
                          if (!outage.sdl.open(fromSample)) return false;
                          outage.openedAt = fromSample;
                          return true;
                      },
                      outage.sdl.close,
                      [] { return outage.frozen.load() ? outage.frozenAt.load() : outage.sdl.playPosition(); },
                      [] { return outage.lost.load() || outage.sdl.lost(); },
                      [](const char* text) {
                          EXPECT_STREQ(text, "Error preparing wave header");
                          outage.reports.fetch_add(1);
                      }};
}

// No device at the start or none at a reopen: one message, and the model
// runs on. A device comes back where the clock had got to, sound for sound.
TEST(SdlAudio, SoundComesBackAfterALossOrAStall)
{
    {
        PrepareOnCentreCell(37.0f);
        DriverChoice none("no-such-driver", "");
        StartAudioThread(OutageOutput());
        EXPECT_TRUE(WaitFor([] { return AudioLoopStatistics().ticks >= 10; }));
        StopAudioThread();
        EXPECT_EQ(outage.reports.load(), 1);
        EXPECT_FLOAT_EQ(simulation.peakRate.load(), 37.0f);
    }
    const struct { const char* driver; bool stall, refuseFirstTry; } cases[] = {
        {"disk", false, true}, {"dummy", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver);
        DriverChoice choice(c.driver, "");
        PrepareOnCentreCell(60.0f);  // 60 clicks a second at rest
        StartAudioThread(OutageOutput());
        ASSERT_TRUE(WaitFor([] { return AudioLoopStatistics().ticks > 25 && AudioLoopStatistics().playing; }));

        outage.openAllowed = !c.refuseFirstTry;
        const int64_t lossAt = AudioLoopStatistics().lastPlayPosition, ticksAtLoss = simulation.neuronTicks.load();
        outage.frozenAt = lossAt;
        (c.stall ? outage.frozen : outage.lost) = true;
        ASSERT_TRUE(WaitFor([] { return !AudioLoopStatistics().playing; }));
        if (c.refuseFirstTry) {
            ASSERT_TRUE(WaitFor([] { return AudioLoopStatistics().reopenAttempts >= 1; }));
            outage.openAllowed = true;
        }
        ASSERT_TRUE(WaitFor([] { return AudioLoopStatistics().reopens >= 1; }));
        const int64_t from = outage.openedAt.load(), ticksBack = AudioLoopStatistics().ticks;
        // Forty ticks, and enough played for the clicks to be counted (a busy
        // machine slows the disk driver's clock).
        ASSERT_TRUE(WaitFor([&] {
            const AudioLoopStats now = AudioLoopStatistics();
            return now.ticks > ticksBack + 40 && now.lastPlayPosition > from + 30000;
        }));
        const AudioLoopStats stats = AudioLoopStatistics();
        StopAudioThread();

        // One message for the whole outage, failed tries included.
        EXPECT_EQ(outage.reports.load(), 1);
        EXPECT_EQ(outage.opens.load(), 1 + stats.reopenAttempts);
        EXPECT_EQ(stats.reopenAttempts, c.refuseFirstTry ? 2 : 1);
        // The new device started where the clock had got to, not at 0, and
        // its own position drives the slices again.
        EXPECT_GT(from, lossAt);
        EXPECT_GT(stats.lastPlayPosition, from + 882);
        // Without sound the clicks went on at their rate.
        const double seconds = double(stats.lastPlayPosition - lossAt) / kAudioRate;
        EXPECT_GT(double(SpikesSince(ticksAtLoss)), 0.5 * 60.0 * seconds);

        if (!c.stall) {
            // The reopened device played whole clicks at their rate, and
            // none went behind it.
            const std::vector<int16_t> played = choice.Captured();
            ASSERT_GT(played.size(), 20000u);
            const ClickScan heard = ScanClicks(played);
            EXPECT_EQ(heard.brokenClickSamples, 0u);
            EXPECT_NEAR(double(heard.starts.size()), 60.0 * double(played.size()) / kAudioRate,
                        0.4 * 60.0 * double(played.size()) / kAudioRate);
        }
    }
}

}  // namespace
