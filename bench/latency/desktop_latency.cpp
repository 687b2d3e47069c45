// From a press to its clicks on the desktop: the real scene and audio
// threads on an SDL device whose stream the disk driver writes to a file.
// Twenty presses of a spot on an ON-centre cell, each at a random phase of
// the ticks; for each, the play position at the press and the stream
// samples the device played after it. Prints the latency of every press
// (to the first click of its burst), the median, the 95th percentile, the
// half-rise of a 5 ms histogram of the clicks over all presses, and the
// lost clicks. Run by bench/latency/run.sh.
//   tessaline_latency [presses] [busy seconds of grating over a complex cell]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>
#include <vector>

#include "audio/sdl_wave_output.h"
#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "sim/audio_stream.h"
#include "sim/scene_loop.h"
#include "stimulus/stimulus_state.h"
#include "tests/core/engine_records.h"

namespace {

constexpr int32_t kWidth = 1000, kHeight = 700;
constexpr double kMsPerSample = 1000.0 / kAudioRate;

std::vector<int16_t> ReadSamples(const std::string& file)
{
    std::vector<int16_t> samples(std::filesystem::file_size(file) / 2);
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size() * 2));
    return samples;
}

std::vector<int64_t> ClickOnsets(const std::vector<int16_t>& s)
{
    std::vector<int64_t> onsets;
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == 20000 && (i == 0 || s[i - 1] != 20000)) onsets.push_back(int64_t(i));
    return onsets;
}

double Percentile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1.0 : v[std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5))];
}

}  // namespace

int main(int argc, char** argv)
{
    const int32_t presses = argc > 1 ? std::atoi(argv[1]) : 20;
    const int32_t busySeconds = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::string file = (std::filesystem::temp_directory_path() / "tessaline_latency.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    // The disk driver sleeps whole milliseconds per buffer (5 for 256
    // samples), plus what the sleep overshoots: latencies are converted at
    // the rate it really played.

    ResetEngineRecords(kWidth, kHeight);
    receptiveField.cellType = busySeconds > 0 ? Complex : OnCentreX;
    // No spontaneous clicks: the first click after a press is its burst's.
    modelOptions.spontaneousRate[OnCentreX] = 0.0f;
    BuildFilters();
    SetStimulusType(busySeconds > 0 ? Grating : Spot);
    OnPointerMove(kWidth / 2, kHeight / 2 + 36);  // the field's centre
    const WaveOutput output = SdlWaveOutput();
    StartAudioThread(output);
    StartSceneThread(nullptr);
    // As a student would after starting: a while before the first press, so
    // a lead grown by the late ticks of start-up has come back down.
    const char* warmUp = std::getenv("WARMUP_SECONDS");
    std::this_thread::sleep_for(std::chrono::seconds(warmUp ? std::atoi(warmUp) : 15));
    const auto startedAt = std::chrono::steady_clock::now();
    const int64_t startedFrom = output.playPosition();

    std::vector<int64_t> pressedAt;
    if (busySeconds > 0) {
        OnLeftButtonDown();  // the grating stays on while held
        for (int32_t s = 0; s < busySeconds; s += 10) {
            std::this_thread::sleep_for(std::chrono::seconds(std::min(10, busySeconds - s)));
            const AudioLoopStats a = AudioLoopStatistics();
            std::printf("%4d s: lead %d samples (%.1f ms), %lld late ticks, %lld lost clicks\n", s + 10, a.lead,
                        a.lead * kMsPerSample, (long long)a.lateTicks, (long long)a.lostClicks);
            std::fflush(stdout);
        }
        OnLeftButtonUp();
    } else {
        std::mt19937 random(7);
        std::uniform_int_distribution<int32_t> phase(0, 19);
        for (int32_t i = 0; i < presses; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(900 + phase(random)));
            pressedAt.push_back(output.playPosition());
            OnLeftButtonDown();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            OnLeftButtonUp();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt).count();
    const double msPerSample = 1000.0 * seconds / double(output.playPosition() - startedFrom);
    StopSceneThread();
    StopAudioThread();
    const AudioLoopStats audio = AudioLoopStatistics();
    const std::vector<int64_t> onsets = ClickOnsets(ReadSamples(file));
    std::filesystem::remove(file);

    std::vector<double> latencies;
    std::vector<int32_t> histogram(200, 0);  // 5 ms bins over a second
    for (const int64_t press : pressedAt) {
        auto it = std::lower_bound(onsets.begin(), onsets.end(), press);
        if (it != onsets.end() && double(*it - press) * msPerSample < 1000.0) latencies.push_back(double(*it - press) * msPerSample);
        for (; it != onsets.end() && double(*it - press) * msPerSample < 1000.0; ++it)
            ++histogram[size_t(double(*it - press) * msPerSample / 5.0)];
    }
    const int32_t peak = *std::max_element(histogram.begin(), histogram.end());
    int32_t halfRise = 0;
    while (halfRise < 199 && 2 * histogram[size_t(halfRise)] < peak) ++halfRise;
    std::printf("desktop (%s driver, %d-sample buffer, played %.0f samples/s): %zu of %zu presses heard\n",
                SdlDriverName(), SdlObtainedBufferSamples(), 1000.0 / msPerSample, latencies.size(), pressedAt.size());
    std::printf("  press to first click: median %.1f ms, 95th percentile %.1f ms; half-rise of the 5 ms histogram %d-%d ms\n",
                Percentile(latencies, 0.5), Percentile(latencies, 0.95), halfRise * 5, halfRise * 5 + 5);
    std::printf("  lead at the end %d samples (%.1f ms), %lld late ticks, %lld lost clicks\n", audio.lead,
                audio.lead * kMsPerSample, (long long)audio.lateTicks, (long long)audio.lostClicks);
    return 0;
}
