// The real audio path: the audio thread on an SDL device, with the stream
// captured by SDL's disk driver (it writes what the device plays). The
// assertions are on what the stream holds, never on how fast it came.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "audio/sdl_wave_output.h"
#include "sim/clock.h"
#include "tests/core/test_support.h"

using namespace ts;
using namespace std::chrono_literals;

namespace {

// Chooses the SDL driver for one test and puts the default back afterwards.
struct DriverChoice {
    DriverChoice(const char* driver, const std::string& file = "")
    {
        setenv("SDL_AUDIODRIVER", driver, 1);
        if (!file.empty()) setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    }
    ~DriverChoice()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }
};

std::vector<int16_t> ReadCapture(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    std::filesystem::remove(path);
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

// Runs the audio thread on the disk driver for a while and returns what the
// device played.
std::vector<int16_t> CaptureStream(const char* name, std::chrono::milliseconds duration)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tessaline_" + std::string(name) + "_" + std::to_string(getpid()) + ".raw"))
                                 .string();
    DriverChoice disk("disk", path);
    reports = 0;
    sdlOutput = SdlWaveOutput();
    WaveOutput output = sdlOutput;
    output.reportError = CountReport;
    output.playPosition = RecordingPosition;
    positionCount = 0;
    StartAudioThread(output);
    std::this_thread::sleep_for(duration);
    StopAudioThread();
    EXPECT_EQ(reports.load(), 0);
    return ReadCapture(path);
}

class SdlAudio : public ::testing::Test {
protected:
    void TearDown() override { StopAudioThread(); }
};

TEST_F(SdlAudio, SpontaneousClicksAreWholeAndAtTheirRate)
{
    PrepareOnCentreCell();  // ON-centre X cell, stimulus off: 15 Hz
    const std::vector<int16_t> s = CaptureStream("spontaneous", 3s);
    ASSERT_GT(s.size(), 5000u + 882u);

    const ClickScan scan = ScanClicks(s);
    EXPECT_EQ(scan.brokenClickSamples, 0u);
    EXPECT_EQ(scan.otherSamples, 0u);  // hash off: clicks and silence only
    ASSERT_FALSE(scan.starts.empty());
    EXPECT_GE(scan.starts.front(), 5000u) << "nothing before the first slice";

    // Every tick draws 20 ms worth of spikes into its slice; count the slices
    // that were played (the last ones lie ahead of the end of the capture).
    // The play position never goes back.
    const int32_t ticks = std::min(positionCount.load(), kMaxTicks);
    double playedTicks = 0.0;
    for (int32_t i = 0; i < ticks; ++i) {
        if (i > 0) {
            EXPECT_GE(positions[i], positions[i - 1]) << i;
        }
        playedTicks += std::clamp((double(s.size()) - double(positions[i] + 5000)) / 882.0, 0.0, 1.0);
    }
    // The count of a renewal process has a variance of at most its mean for
    // intervals at least as regular as Poisson: five standard deviations.
    const double expected = 15.0 * 0.020 * playedTicks;
    EXPECT_NEAR(double(scan.starts.size()), expected, 5.0 * std::sqrt(expected) + 3.0);
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
        const int64_t end = MillisecondClock() + 10000;
        while (AudioLoopStatistics().ticks < 10 && MillisecondClock() < end) std::this_thread::sleep_for(5ms);
        StopAudioThread();
        EXPECT_EQ(reports.load(), 1);
        EXPECT_GE(AudioLoopStatistics().ticks, 10);
        EXPECT_FLOAT_EQ(simulation.peakRate.load(), 37.0f);
    }
}

}  // namespace
