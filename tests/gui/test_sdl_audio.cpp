// The SDL device on SDL's disk driver, which writes what it plays to a file as fast as it can: the stream from
// the sample the device is opened at, sample for sample, and after a close the same from a later sample, as
// when a lost device comes back where the clock has got to.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "audio/sdl_wave_output.h"
#include "tests/core/test_support.h"

using namespace ts;

namespace {

struct DiskDriver {
    const std::string file = (std::filesystem::temp_directory_path() / ("tessaline_" + std::to_string(getpid()) + ".raw")).string();
    DiskDriver(const char* driver = "disk")
    {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    ~DiskDriver() { setenv("SDL_AUDIODRIVER", "dummy", 1), std::filesystem::remove(file); }
    std::vector<int16_t> Captured() const
    {
        std::vector<int16_t> samples(std::filesystem::file_size(file) / 2);
        std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(samples.data()), samples.size() * 2);
        return samples;
    }
};

TEST(SdlAudio, PlaysTheStreamFromWhereItOpensAndAgainAfterAReopen)
{
    {
        DiskDriver none("no-such-driver");
        EXPECT_FALSE(SdlWaveOutput().open(0)) << "no device: the audio thread goes on silently";
    }
    DiskDriver disk;
    const WaveOutput sdl = SdlWaveOutput();
    const std::vector<size_t> clicks = {100, 2000, 2012, 9001};
    for (const int64_t from : {int64_t{0}, int64_t{123456789}}) {
        SCOPED_TRACE(from);
        ClearAudioSamples();
        for (size_t at : clicks) WriteClick(from + static_cast<int64_t>(at));
        ASSERT_TRUE(sdl.open(from));
        EXPECT_FALSE(sdl.lost());
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);  // against a hang only
        while (sdl.playPosition() < from + 12000 && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        sdl.close();
        EXPECT_TRUE(sdl.lost());
        // The driver may write whole buffers of silence while the device
        // starts, before the first one of the stream: the clicks then come
        // that much later in the file, each at its place from the first.
        ClickScan heard = ScanClicks(disk.Captured());
        ASSERT_FALSE(heard.starts.empty());
        ASSERT_GE(heard.starts[0], clicks[0]);
        const size_t lateBy = heard.starts[0] - clicks[0];
        EXPECT_EQ(lateBy % 256, 0u) << "what came before the stream is not whole buffers";
        for (size_t& at : heard.starts) at -= lateBy;
        EXPECT_EQ(std::pair(heard.starts, heard.brokenClickSamples), std::pair(clicks, size_t{0}));
        EXPECT_EQ(StreamSample(from + 100).load(), 0) << "what was played is cleared";
    }
}

}  // namespace
