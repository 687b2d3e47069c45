// The real audio path: the audio thread on an SDL device, with the stream
// captured by SDL's disk driver (it writes what the device plays) or paced by
// its dummy driver.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/sdl_wave_output.h"
#include "sim/scene_loop.h"
#include "tests/core/test_support.h"

using namespace ts;
using namespace std::chrono_literals;

namespace {

// Chooses the SDL driver for one test and puts the default back afterwards.
struct DriverChoice {
    DriverChoice(const char* driver, const std::string& file = "", const char* delay = nullptr)
    {
        setenv("SDL_AUDIODRIVER", driver, 1);
        if (!file.empty()) setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        if (delay) setenv("SDL_DISKAUDIODELAY", delay, 1);
    }
    ~DriverChoice()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_DISKAUDIODELAY");
    }
};

std::string CapturePath(const char* name)
{
    const char* keep = std::getenv("TESSALINE_KEEP_AUDIO_CAPTURES");
    const std::filesystem::path dir = keep ? std::filesystem::path(keep) : std::filesystem::temp_directory_path();
    return (dir / ("tessaline_" + std::string(name) + "_" + std::to_string(getpid()) + ".raw")).string();
}

std::vector<int16_t> ReadCapture(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    if (!std::getenv("TESSALINE_KEEP_AUDIO_CAPTURES")) std::filesystem::remove(path);
    return samples;
}

std::atomic<int32_t> reports{0};
void CountReport(const char*) { reports.fetch_add(1); }

// The play position that each tick reads, recorded on the way through.
constexpr int32_t kMaxTicks = 4096;
int64_t positions[kMaxTicks];
std::atomic<int32_t> positionCount{0};
WaveOutput sdlOutput;
int64_t RecordingPosition()
{
    const int64_t p = sdlOutput.playPosition();
    const int32_t n = positionCount.load(std::memory_order_relaxed);
    if (n < kMaxTicks) positions[n] = p;
    positionCount.store(n + 1, std::memory_order_relaxed);
    return p;
}

// Runs the audio thread on the disk driver in real time; `during` is called
// on this thread while it plays.
template <typename During>
std::vector<int16_t> CaptureStream(const char* name, During during)
{
    const std::string path = CapturePath(name);
    DriverChoice disk("disk", path);
    reports = 0;
    sdlOutput = SdlWaveOutput();
    WaveOutput output = sdlOutput;
    output.reportError = CountReport;
    output.playPosition = RecordingPosition;
    positionCount = 0;
    StartAudioThread(output);
    during();
    StopAudioThread();
    EXPECT_EQ(reports.load(), 0);
    return ReadCapture(path);
}

void NoRepaint() {}

class SdlAudio : public ::testing::Test {
protected:
    void TearDown() override
    {
        StopAudioThread();
        StopSceneThread();
    }
};

// The generator makes up for its dead time: a steady rate is heard as is.
double ExpectedClicksPerSecond(double rate)
{
    return rate;
}

TEST_F(SdlAudio, SpontaneousClicksAreWholeAndAtTheirRate)
{
    PrepareOnCentreCell();  // ON-centre X cell, stimulus off: 15 Hz, order 6
    const std::vector<int16_t> s = CaptureStream("spontaneous", [] { std::this_thread::sleep_for(5s); });
    const double seconds = double(s.size()) / kAudioRate;
    ASSERT_GT(seconds, 2.5);  // the disk driver is paced only roughly
    ASSERT_LT(seconds, 6.5);

    const ClickScan scan = ScanClicks(s);
    EXPECT_EQ(scan.brokenClickSamples, 0u);
    EXPECT_EQ(scan.otherSamples, 0u);  // hash off: clicks and silence only
    // Nothing before the first slice, 5000 samples after the start.
    ASSERT_FALSE(scan.starts.empty());
    EXPECT_GE(scan.starts.front(), 5000u);
    // Order 6 makes the intervals regular: never closer than the dead time
    // inside one slice, and spread little about their mean.
    for (size_t i = 1; i < scan.starts.size(); ++i) EXPECT_GT(scan.starts[i] - scan.starts[i - 1], 12u);

    // Every tick draws 20 ms worth of spikes into its slice; count the slices
    // that were played (the last ones lie ahead of the end of the capture).
    const int32_t ticks = std::min(positionCount.load(), kMaxTicks);
    double playedTicks = 0.0;
    for (int32_t i = 0; i < ticks; ++i)
        playedTicks += std::clamp((double(s.size()) - double(positions[i] + 5000)) / 882.0, 0.0, 1.0);
    const double expected = ExpectedClicksPerSecond(15.0) * 0.020 * playedTicks;
    const double sd = std::sqrt(expected / 6.0);  // gamma order 6: CV^2 = 1/6
    const double clicks = double(scan.starts.size());
    EXPECT_NEAR(clicks, expected, 5.0 * sd + 2.0);
    std::printf("[ capture ] %.2f s of stream, %zu clicks, %.2f clicks/s of stream; "
                "%d ticks (%.1f played), expected %.1f clicks (%.2f/s of ticks)\n",
                seconds, scan.starts.size(), clicks / (seconds - 5000.0 / kAudioRate), ticks, playedTicks,
                expected, ExpectedClicksPerSecond(15.0));
}

TEST_F(SdlAudio, HashStaysInItsRangeUnderTheClicks)
{
    const struct { float rate; bool expectClicks; } cases[] = {{0.0f, false}, {30.0f, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        PrepareOnCentreCell(c.rate, true);
        const std::vector<int16_t> s = CaptureStream("hash", [] { std::this_thread::sleep_for(1500ms); });
        ASSERT_GT(s.size(), 44100u);
        size_t clickSamples = 0, loud = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == 20000 || s[i] == -20000) {
                ++clickSamples;
                continue;
            }
            ASSERT_GE(s[i], -500) << i;
            ASSERT_LE(s[i], 5498) << i;
            loud += s[i] > 499;
        }
        EXPECT_EQ(clickSamples > 0, c.expectClicks);
        EXPECT_GT(loud, 100u);  // bursts, about 5 % of the hashed samples
    }
}

TEST_F(SdlAudio, SpotFlashedOverOnCentreGivesABurst)
{
    PrepareOnCentreCell();
    SetStimulusType(Spot);
    RequestFrameSize(kClientWidth, kClientHeight);
    // The pointer over the receptive field's centre (the canvas adds the band).
    const int32_t cx = static_cast<int32_t>(receptiveField.centreX / stimulus.degreesPerPixel);
    const int32_t cy = static_cast<int32_t>(receptiveField.centreY / stimulus.degreesPerPixel);
    OnPointerMove(cx, cy + 36);
    StartSceneThread(NoRepaint);
    int64_t onset = 0;
    float peakDuring = 0.0f;
    const std::vector<int16_t> s = CaptureStream("flash", [&] {
        std::this_thread::sleep_for(1500ms);
        onset = AudioLoopStatistics().lastPlayPosition + 5000;  // where the next slice goes
        OnLeftButtonDown();
        std::this_thread::sleep_for(300ms);
        peakDuring = simulation.peakRate;
        std::this_thread::sleep_for(700ms);
        OnLeftButtonUp();
        std::this_thread::sleep_for(300ms);
    });
    StopSceneThread();
    const ClickScan scan = ScanClicks(s);
    EXPECT_EQ(scan.brokenClickSamples, 0u);
    auto count = [&](int64_t from, int64_t to) {
        int32_t n = 0;
        for (size_t start : scan.starts) n += int64_t(start) >= from && int64_t(start) < to;
        return n;
    };
    // The X cell answers the onset with a transient burst that settles to a
    // lower sustained rate: look at the first 300 ms.
    const int64_t window = kAudioRate * 3 / 10;
    const int32_t before = count(onset - kAudioRate, onset);
    const int32_t after = count(onset, onset + window);
    std::printf("[ flash   ] clicks in the second before the onset %d, in the 300 ms after %d; "
                "peak rate %.1f\n", before, after, peakDuring);
    EXPECT_GT(peakDuring, 50.0f);
    EXPECT_LT(before, 30);  // about 15 a second before
    EXPECT_GE(after, 10);   // above 33 a second after
    EXPECT_GT(after, 2 * before * 3 / 10);  // more than twice the rate before
}

// Consecutive slices start d samples apart; d = 882 joins them end to end.
void CheckContinuity(std::chrono::seconds duration)
{
    PrepareOnCentreCell();
    DriverChoice dummy("dummy");
    sdlOutput = SdlWaveOutput();
    WaveOutput output = sdlOutput;
    output.playPosition = RecordingPosition;
    positionCount = 0;
    StartAudioThread(output);
    std::this_thread::sleep_for(duration);
    StopAudioThread();
    const int32_t n = std::min(positionCount.load(), kMaxTicks);
    ASSERT_GT(n, 40 * duration.count());
    // Histogram in steps of the 512-sample device buffer.
    int32_t backwards = 0, gapsOverOneTick = 0, buckets[6] = {};
    for (int32_t i = 2; i < n; ++i) {  // the first ticks include the device's start
        const int64_t d = positions[i] - positions[i - 1];
        backwards += d < 0;
        gapsOverOneTick += d - 882 > 882;
        buckets[std::clamp<int64_t>(d / 512, 0, 5)]++;
    }
    const double meanStep = double(positions[n - 1] - positions[2]) / double(n - 3);
    std::printf("[ continuity ] %d ticks, mean step %.1f samples; steps 0: %d, 512: %d, 1024: %d, 1536: %d, "
                "2048: %d, more: %d; gaps over one tick %d\n",
                n, meanStep, buckets[0], buckets[1], buckets[2], buckets[3], buckets[4], buckets[5], gapsOverOneTick);
    EXPECT_EQ(backwards, 0);  // an overlap is never more than one tick
    // Gaps come only from a device or a loop held up by a busy machine.
    EXPECT_LE(gapsOverOneTick, n / 20);
    EXPECT_NEAR(meanStep, 882.0, 882.0 * 0.2);
}

TEST_F(SdlAudio, SlicesFollowEachOtherOnTheDummyDevice) { CheckContinuity(4s); }

// A minute of stream; run with TESSALINE_LONG_AUDIO=1.
TEST_F(SdlAudio, LongContinuityOverAMinute)
{
    if (!std::getenv("TESSALINE_LONG_AUDIO")) GTEST_SKIP() << "set TESSALINE_LONG_AUDIO=1 to run";
    CheckContinuity(60s);
}

TEST_F(SdlAudio, NoDeviceReportsOnceAndTheModelRunsOn)
{
    const struct { const char* driver; const char* file; } cases[] = {
        {"no-such-driver", ""},
        {"disk", "/nonexistent-directory/stream.raw"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver);
        PrepareOnCentreCell(37.0f);
        DriverChoice choice(c.driver, c.file);
        WaveOutput output = SdlWaveOutput();
        EXPECT_FALSE(output.open(0));
        output.close();
        output.close();
        reports = 0;
        output.reportError = CountReport;
        StartAudioThread(output);
        std::this_thread::sleep_for(400ms);
        StopAudioThread();
        EXPECT_EQ(reports.load(), 1);
        EXPECT_GT(AudioLoopStatistics().ticks, 10);
        EXPECT_FLOAT_EQ(simulation.peakRate.load(), 37.0f);
    }
}

}  // namespace
