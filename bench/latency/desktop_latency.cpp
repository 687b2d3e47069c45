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
#include "sim/neuron_tick.h"
#include "sim/scene_loop.h"
#include "sim/scene_tick.h"
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

// The model alone, as a machine with no delay at all would play it: the
// same cell and spot, presses at random phases of the 20 ms ticks on a
// scripted clock, the neuron tick right after the scene tick and each
// tick's slice heard the moment it is written. What is left is the wait for
// the next tick, the temporal filter's first step (which gives the newest
// image no weight) and the spike train's own way to its first spike.
std::vector<int64_t> modelClicks;
void KeepClick(int64_t position) { modelClicks.push_back(position); }

// The 5 ms bin (its start in ms) where a histogram of clicks after each
// press first reaches half its peak.
int32_t HalfRiseMs(const std::vector<double>& clickMs)
{
    std::vector<int32_t> histogram(200, 0);  // 5 ms bins over a second
    for (const double ms : clickMs)
        if (ms >= 0.0 && ms < 1000.0) ++histogram[size_t(ms / 5.0)];
    const int32_t peak = *std::max_element(histogram.begin(), histogram.end());
    int32_t bin = 0;
    while (bin < 199 && 2 * histogram[size_t(bin)] < peak) ++bin;
    return bin * 5;
}

struct ModelAlone {
    std::vector<double> latencies, clickMs;
};

ModelAlone ModelOnlyLatencies(int32_t presses)
{
    ResetEngineRecords(kWidth, kHeight);
    receptiveField.cellType = OnCentreX;
    modelOptions.spontaneousRate[OnCentreX] = 0.0f;
    BuildFilters();
    SetStimulusType(Spot);
    OnPointerMove(kWidth / 2, kHeight / 2 + 36);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> phase(0.0, 20.0);
    ModelAlone alone;
    int64_t tickMs = 0;
    auto tick = [&tickMs] {
        SceneTickAt(tickMs);
        NeuronTickCompute();
        const int64_t first = tickMs * kAudioRate / 1000;
        NeuronTickFinish(StreamSlice{first, first, first + kAudioSlice}, KeepClick);
        tickMs += 20;
    };
    for (int32_t i = 0; i < 50; ++i) tick();
    for (int32_t i = 0; i < presses; ++i) {
        for (int32_t t = 0; t < 40; ++t) tick();  // the last press has left the history
        const double pressedMs = double(tickMs) - phase(random);  // just before this tick
        modelClicks.clear();
        OnLeftButtonDown();
        for (int32_t t = 0; t < 15; ++t) tick();
        OnLeftButtonUp();
        for (int32_t t = 0; t < 5; ++t) tick();
        if (!modelClicks.empty()) alone.latencies.push_back(double(modelClicks.front()) * kMsPerSample - pressedMs);
        for (const int64_t click : modelClicks) alone.clickMs.push_back(double(click) * kMsPerSample - pressedMs);
    }
    return alone;
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

    std::vector<double> latencies, clickMs;
    for (const int64_t press : pressedAt) {
        auto it = std::lower_bound(onsets.begin(), onsets.end(), press);
        if (it != onsets.end() && double(*it - press) * msPerSample < 1000.0) latencies.push_back(double(*it - press) * msPerSample);
        for (; it != onsets.end() && double(*it - press) * msPerSample < 1000.0; ++it)
            clickMs.push_back(double(*it - press) * msPerSample);
    }
    const int32_t halfRise = HalfRiseMs(clickMs);
    std::printf("desktop (%s driver, %d-sample buffer, played %.0f samples/s): %zu of %zu presses heard\n",
                SdlDriverName(), SdlObtainedBufferSamples(), 1000.0 / msPerSample, latencies.size(), pressedAt.size());
    if (!pressedAt.empty())
        std::printf("  press to first click: median %.1f ms, 95th percentile %.1f ms; half-rise of the 5 ms histogram %d-%d ms\n",
                    Percentile(latencies, 0.5), Percentile(latencies, 0.95), halfRise, halfRise + 5);
    std::printf("  lead at the end %d samples (%.1f ms), %lld late ticks, %lld lost clicks; audio thread at niceness %d\n",
                audio.lead, audio.lead * kMsPerSample, (long long)audio.lateTicks, (long long)audio.lostClicks,
                audio.niceness);
    if (!pressedAt.empty()) {
        // Many more presses than the live run: they cost no time.
        const ModelAlone model = ModelOnlyLatencies(20 * presses);
        std::printf("  the model alone (no lead, no device: each slice heard as its tick runs), %zu presses: "
                    "median %.1f ms, 95th percentile %.1f ms, half-rise %d-%d ms\n",
                    model.latencies.size(), Percentile(model.latencies, 0.5), Percentile(model.latencies, 0.95),
                    HalfRiseMs(model.clickMs), HalfRiseMs(model.clickMs) + 5);
        std::printf("  the machine adds %.1f ms at the median\n",
                    Percentile(latencies, 0.5) - Percentile(model.latencies, 0.5));
    }
    return 0;
}
