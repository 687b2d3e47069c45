// The audio thread. It carries the neuron loop because every spike is written
// straight into the stream: each 20 ms it computes the rate, sleeps to its
// deadline, reads where the device is playing and writes the tick's hash and
// clicks kAudioLead samples ahead of that point, so the sound follows the
// device's own clock and the tick timer's drift never builds up.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "sim/audio_stream.h"
#include "sim/clock.h"
#include "sim/neuron_tick.h"
#include "sim/simulation_state.h"

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::milliseconds(20);
// Later than this and the loop stops trying to catch up and starts afresh.
constexpr auto kStall = std::chrono::milliseconds(200);
// A device whose position stands still this long, over at least this many
// ticks, while the clock runs on, has gone away.
constexpr int64_t kStalledMs = 1000;
constexpr int32_t kStalledTicks = 40;

constexpr const char* kOpenFailedText = "Error preparing wave header";

// Everything below `thread` and `stop` belongs to the audio thread alone; the
// statistics are atomics because tests read them while it runs.
struct AudioLoop {
    std::thread thread;
    std::atomic<bool> stop{false};
    WaveOutput output{};
    bool deviceOpen = false;
    bool errorReported = false;
    // Without a device the position runs with the clock from this point.
    int64_t silentBasePosition = 0;
    int64_t silentBaseMs = 0;
    // Stall watch of an open device.
    int64_t lastDevicePosition = -1;
    int64_t lastChangeMs = 0;
    int32_t unchangedTicks = 0;
    std::atomic<int64_t> ticks{0}, firstTickMs{0}, lastTickMs{0}, lastPlayPosition{0};
};
AudioLoop loop;

void CloseDevice()
{
    if (loop.deviceOpen && loop.output.close) loop.output.close();
    loop.deviceOpen = false;
}

// Carries on without sound from where the device stopped.
void GoSilent(int64_t fromPosition)
{
    CloseDevice();
    loop.silentBasePosition = fromPosition;
    loop.silentBaseMs = MillisecondClock();
}

// The start sequence, also run at every restart of the stream: a cleared
// buffer played from sample 0 and the rate window counted from slot 1.
void StartStream()
{
    CloseDevice();
    // Cleared before the device opens, so it never plays the old stream.
    ClearAudioSamples();
    loop.deviceOpen = loop.output.open && loop.output.open();
    if (!loop.deviceOpen && !loop.errorReported) {
        // Reported once, not at every restart of a stream that has no device.
        loop.errorReported = true;
        if (loop.output.reportError) loop.output.reportError(kOpenFailedText);
    }
    loop.silentBasePosition = 0;
    loop.silentBaseMs = MillisecondClock();
    loop.lastDevicePosition = -1;
    loop.lastChangeMs = loop.silentBaseMs;
    loop.unchangedTicks = 0;
    simulation.rateWindowSlot = 1;
}

// The play position in samples, never negative and never far past the end of
// the stream (which restarts it), so the slice arithmetic stays in range.
int64_t ReadPlayPosition()
{
    const int64_t nowMs = MillisecondClock();
    if (loop.deviceOpen) {
        if (loop.output.lost && loop.output.lost()) {
            GoSilent(std::max<int64_t>(loop.lastDevicePosition, 0));
        } else {
            const int64_t p = loop.output.playPosition ? loop.output.playPosition() : 0;
            if (p != loop.lastDevicePosition) {
                loop.lastDevicePosition = p;
                loop.lastChangeMs = nowMs;
                loop.unchangedTicks = 0;
            } else if (++loop.unchangedTicks >= kStalledTicks && nowMs - loop.lastChangeMs >= kStalledMs) {
                GoSilent(std::max<int64_t>(p, 0));
            }
            if (loop.deviceOpen) return std::clamp<int64_t>(p, 0, kAudioSamples);
        }
    }
    const int64_t elapsed = std::max<int64_t>(nowMs - loop.silentBaseMs, 0);
    return std::clamp<int64_t>(loop.silentBasePosition + elapsed * kAudioRate / 1000, 0, kAudioSamples);
}

void RecordTickStats(int64_t playPosition)
{
    const int64_t nowMs = MillisecondClock();
    if (loop.ticks.load(std::memory_order_relaxed) == 0) loop.firstTickMs.store(nowMs, std::memory_order_relaxed);
    loop.lastTickMs.store(nowMs, std::memory_order_relaxed);
    loop.lastPlayPosition.store(playPosition, std::memory_order_relaxed);
    loop.ticks.fetch_add(1, std::memory_order_relaxed);
}

void RunAudioThread()
{
    StartStream();
    auto deadline = SteadyClock::now();
    while (!loop.stop.load(std::memory_order_relaxed)) {
        NeuronTickCompute();

        // Sleep to the absolute deadline; a late tick goes on at once, and
        // after a long stall the deadlines start again from now rather than
        // running a burst of catch-up ticks.
        deadline += kTick;
        const auto now = SteadyClock::now();
        if (now < deadline) {
            std::this_thread::sleep_until(deadline);
        } else if (now - deadline > kStall) {
            deadline = now;
        }

        const int64_t p = ReadPlayPosition();
        FinishAudioTick(p);
        RecordTickStats(p);

        if (p > kAudioRestartAt) StartStream();
    }
    CloseDevice();
}

}  // namespace

void StartAudioThread(const WaveOutput& output)
{
    StopAudioThread();
    loop.output = output;
    loop.deviceOpen = false;
    loop.errorReported = false;
    loop.ticks.store(0, std::memory_order_relaxed);
    loop.firstTickMs.store(0, std::memory_order_relaxed);
    loop.lastTickMs.store(0, std::memory_order_relaxed);
    loop.lastPlayPosition.store(0, std::memory_order_relaxed);
    loop.stop.store(false, std::memory_order_relaxed);
    loop.thread = std::thread(RunAudioThread);
}

void StopAudioThread()
{
    if (!loop.thread.joinable()) return;
    loop.stop.store(true, std::memory_order_relaxed);
    loop.thread.join();  // the thread closes the device on its way out
}

AudioLoopStats AudioLoopStatistics()
{
    AudioLoopStats stats;
    stats.ticks = loop.ticks.load(std::memory_order_relaxed);
    stats.firstTickMs = loop.firstTickMs.load(std::memory_order_relaxed);
    stats.lastTickMs = loop.lastTickMs.load(std::memory_order_relaxed);
    stats.lastPlayPosition = loop.lastPlayPosition.load(std::memory_order_relaxed);
    return stats;
}
