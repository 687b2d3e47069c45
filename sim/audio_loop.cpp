// The audio thread. It carries the neuron loop because every spike is written
// straight into the stream: at each 20 ms deadline it computes the rate from
// the newest stimulus image, reads where the device is playing and writes the
// tick's hash and clicks the adaptive lead ahead of that point, so the sound
// follows the device's own clock and the tick timer's drift never builds up.
// The rate is computed after the wait, not before it: computed before, it
// would be a whole tick old by the time its clicks are placed.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

#include "model/vector_state.h"
#include "sim/audio_stream.h"
#include "sim/clock.h"
#include "sim/deadline_loop.h"
#include "sim/neuron_tick.h"
#include "sim/simulation_state.h"

namespace {

// Later than this and the loop stops trying to catch up and starts afresh.
// Each audio tick is 20 ms of the neuron's time (a history frame, a slot of
// the rate window), so a short delay is made up to keep that time in step
// with the clock; only a long one is given up.
constexpr auto kStall = std::chrono::milliseconds(200);
// The scene tick runs at the grid's marks and takes a few milliseconds; the
// neuron tick runs as soon as it has published its image, and this long
// after the mark at the latest, so it never waits for a late scene tick.
constexpr auto kAfterScene = std::chrono::milliseconds(5);
// The audio thread asks to run before ordinary programs (as sound servers
// do), so a busy machine delays its ticks less; refused, it runs as it is.
constexpr int32_t kTickNiceness = -11;
// A device whose position stands still this long, over at least this many
// ticks, while the clock runs on, has gone away.
constexpr int64_t kStalledMs = 1000;
constexpr int32_t kStalledTicks = 40;
// A loss soon after the last report is not reported again.
constexpr int64_t kReportGapMs = 60000;
// How often a new keeper looks whether one left behind has ended.
constexpr auto kLeftBehindLook = std::chrono::milliseconds(50);
// Play positions are held below this (millions of years of stream).
constexpr int64_t kMostPosition = int64_t{1} << 56;

// Who may call the output's functions. The audio thread holds the device
// while it plays; after a loss it hands the device to the keeper, which
// closes it and looks for a new one, and hands back what it opened. Opening
// and closing a sound device can take long (a sound server that hangs, a
// device that stalls in the middle of a write), and the neuron tick must
// not wait for that.
enum DeviceHolder : int32_t { LoopHolds = 0, KeeperHolds = 1, KeeperOpened = 2 };

void AudioThreadStart();
void AudioTick();
bool NewImageWaiting();

// What one keeper works on. Every start of the audio thread makes a new one:
// a keeper left behind in a device call that never returned (see
// StopAudioThread) finds only its own record when the call does return, sees
// its stop and ends, touching neither the device nor the loop that runs now.
// The fields under "handed over" belong to whoever `holder` names, and each
// hand-over is a release store of `holder` that the other side loads with
// acquire.
struct Keeper {
    WaveOutput output{};
    std::mutex mutex;
    std::condition_variable wake;
    bool stopRequested = false;  // guarded by mutex
    std::atomic<int32_t> holder{LoopHolds};
    std::atomic<bool> running{false};
    // A keeper of an earlier start still in a device call: this one makes no
    // device call until it has ended.
    std::shared_ptr<Keeper> leftBehind;

    // Handed over.
    bool closeFirst = false;      // the keeper closes the lost device before it tries
    int64_t lastAttemptMs = 0;    // the last open tried by either side
};

// The fields under "audio thread only" belong to the audio thread.
struct AudioLoop {
    DeadlineLoop ticking{.stall = kStall,
                         .phase = kAfterScene,
                         .early = kAfterScene,
                         .ready = NewImageWaiting,
                         .start = AudioThreadStart,
                         .afterDeadline = AudioTick};
    std::thread keeperThread;
    // Set by the controlling thread while neither thread runs.
    std::shared_ptr<Keeper> keeper = std::make_shared<Keeper>();
    WaveOutput output{};

    // Audio thread only.
    bool deviceOpen = false;
    bool soundLost = false;       // since the last report, no device came back
    bool reported = false;
    int64_t lastReportMs = 0;
    // Without a device the position runs with the clock from this point.
    int64_t silentBasePosition = 0;
    int64_t silentBaseMs = 0;
    // Stall watch of an open device.
    int64_t lastDevicePosition = -1;
    int64_t lastChangeMs = 0;
    int32_t unchangedTicks = 0;

    // Stimulus images the scene thread has published, and how many of them
    // the last neuron tick had seen (audio thread only).
    std::atomic<int64_t> imagesPublished{0};
    int64_t imagesSeen = 0;

    std::atomic<int64_t> ticks{0}, lastTickMs{0}, lastPlayPosition{0};
    std::atomic<bool> playing{false};
    std::atomic<int32_t> niceness{0};
    std::atomic<int32_t> reopenAttempts{0}, reopens{0}, lead{0};
    std::atomic<int64_t> lateTicks{0}, lostClicks{0};
};
AudioLoop loop;

void WakeKeeper(Keeper& k, bool stop = false)
{
    {
        std::lock_guard<std::mutex> lock(k.mutex);
        k.stopRequested = k.stopRequested || stop;
    }
    k.wake.notify_all();
}

void ReportLoss(int64_t nowMs)
{
    if (loop.soundLost) return;  // one report for each loss, not for every failed reopen
    loop.soundLost = true;
    if (loop.reported && nowMs - loop.lastReportMs < kReportGapMs) return;
    loop.reported = true;
    loop.lastReportMs = nowMs;
    if (loop.output.reportError) loop.output.reportError(kNoSoundText);
}

// No sound from here on: the position runs on with the clock from
// fromPosition, the clicks go on being written, and the keeper looks for a
// device (after closing the old one if closeFirst).
void HandDeviceToKeeper(int64_t fromPosition, bool closeFirst, int64_t nowMs)
{
    loop.deviceOpen = false;
    loop.silentBasePosition = fromPosition;
    loop.silentBaseMs = nowMs;
    ReportLoss(nowMs);
    Keeper& k = *loop.keeper;
    k.closeFirst = closeFirst;
    k.holder.store(KeeperHolds, std::memory_order_release);
    WakeKeeper(k);
}

void WatchNewDevice(int64_t nowMs)
{
    loop.lastDevicePosition = -1;
    loop.lastChangeMs = nowMs;
    loop.unchangedTicks = 0;
}

int32_t DevicePeriod() { return loop.output.period ? loop.output.period() : 512; }

// The start sequence: a cleared ring played from sample 0, the rate window
// counted from slot 1 and a fresh lead for the device's period.
void StartStream()
{
    Keeper& k = *loop.keeper;
    const bool holding = k.holder.load(std::memory_order_acquire) == LoopHolds;
    loop.deviceOpen = false;
    // Cleared before the device opens, so it never plays an old stream.
    ClearAudioSamples();
    const int64_t nowMs = MillisecondClock();
    loop.silentBasePosition = 0;
    loop.silentBaseMs = nowMs;
    WatchNewDevice(nowMs);
    simulation.rateWindowSlot = 1;
    simulation.sliceEnd = -1;
    simulation.lead = NewAudioLead(DevicePeriod());
    if (!holding) {
        ReportLoss(nowMs);  // at the first start: an earlier keeper still has the device
        return;
    }
    k.lastAttemptMs = nowMs;
    loop.deviceOpen = loop.output.open && loop.output.open(0);
    if (loop.deviceOpen) {
        loop.soundLost = false;
    } else {
        HandDeviceToKeeper(0, false, nowMs);
    }
}

// Takes back a device that the keeper opened at the place the clock had got to.
void TakeReopenedDevice(int64_t nowMs)
{
    loop.keeper->holder.store(LoopHolds, std::memory_order_relaxed);
    loop.deviceOpen = true;
    loop.soundLost = false;
    WatchNewDevice(nowMs);
    loop.reopens.fetch_add(1, std::memory_order_relaxed);
    // The lead starts again from the new device's period; a stream that went
    // on without sound meanwhile goes on from where it was.
    RestartAudioLead(simulation.lead, DevicePeriod());
}

// The play position in samples, never negative and never past kMostPosition,
// so the slice arithmetic stays in range whatever a device reports.
int64_t ReadPlayPosition()
{
    const int64_t nowMs = MillisecondClock();
    if (!loop.deviceOpen && loop.keeper->holder.load(std::memory_order_acquire) == KeeperOpened)
        TakeReopenedDevice(nowMs);
    if (loop.deviceOpen) {
        if (loop.output.lost && loop.output.lost()) {
            HandDeviceToKeeper(std::max<int64_t>(loop.lastDevicePosition, 0), true, nowMs);
        } else {
            const int64_t p = loop.output.playPosition ? loop.output.playPosition() : 0;
            if (p != loop.lastDevicePosition) {
                loop.lastDevicePosition = p;
                loop.lastChangeMs = nowMs;
                loop.unchangedTicks = 0;
            } else if (++loop.unchangedTicks >= kStalledTicks && nowMs - loop.lastChangeMs >= kStalledMs) {
                HandDeviceToKeeper(std::clamp<int64_t>(p, 0, kMostPosition), true, nowMs);
            }
            if (loop.deviceOpen) return std::clamp<int64_t>(p, 0, kMostPosition);
        }
    }
    const int64_t elapsed = std::max<int64_t>(nowMs - loop.silentBaseMs, 0);
    return std::clamp<int64_t>(loop.silentBasePosition + elapsed * kAudioRate / 1000, 0, kMostPosition);
}

void RecordTickStats(int64_t playPosition)
{
    const int64_t nowMs = MillisecondClock();
    loop.lastTickMs.store(nowMs, std::memory_order_relaxed);
    loop.lastPlayPosition.store(playPosition, std::memory_order_relaxed);
    loop.playing.store(loop.deviceOpen, std::memory_order_relaxed);
    loop.lead.store(simulation.lead.samples, std::memory_order_relaxed);
    loop.lateTicks.store(simulation.lead.lateTicks, std::memory_order_relaxed);
    loop.lostClicks.store(simulation.lead.lostClicks, std::memory_order_relaxed);
    loop.ticks.fetch_add(1, std::memory_order_relaxed);
}

void AudioThreadStart()
{
    ClearUpperVectorState();
    loop.niceness.store(RaiseThisThread(kTickNiceness), std::memory_order_relaxed);
    StartStream();
}

bool NewImageWaiting() { return loop.imagesPublished.load(std::memory_order_relaxed) != loop.imagesSeen; }

void AudioTick()
{
    loop.imagesSeen = loop.imagesPublished.load(std::memory_order_relaxed);
    NeuronTickCompute();
    const int64_t p = ReadPlayPosition();
    FinishAudioTick(p);
    RecordTickStats(p);
}

// The keeper: it sleeps until it is handed the device, closes the lost one,
// then tries to open a device every kReopenIntervalMs. A new device starts
// where the clock has got to since the audio thread's last tick: the slices
// written lie ahead of it, so the clicks go on in step. Blocking here costs
// the sound a little longer, never a tick.
void RunKeeper(std::shared_ptr<Keeper> own)
{
    Keeper& k = *own;
    ClearUpperVectorState();
    // An earlier keeper still in a device call has the device: nothing is
    // touched until it has ended (it cannot say so, so it is looked at).
    while (k.leftBehind && k.leftBehind->running.load(std::memory_order_acquire))
        if (!WaitOnDeadlineLoop(k, SteadyClockNow() + kLeftBehindLook, [] { return false; })) break;
    auto handed = [&k] { return k.holder.load(std::memory_order_acquire) == KeeperHolds; };
    while (WaitOnDeadlineLoop(k, handed)) {
        if (k.closeFirst) {
            if (k.output.close) k.output.close();
            k.closeFirst = false;
        }
        const int64_t nowMs = MillisecondClock();
        const int64_t waitMs = std::max<int64_t>(k.lastAttemptMs + kReopenIntervalMs - nowMs, 0);
        // Cut short only by a stop (the device stays the keeper's until it
        // opens one); with nothing to wait for, the last look for a stop
        // before an open that may block.
        const SteadyClock::time_point retry{std::chrono::milliseconds(k.lastAttemptMs + kReopenIntervalMs)};
        if (!WaitOnDeadlineLoop(k, retry, [] { return false; })) break;
        if (waitMs > 0) continue;
        k.lastAttemptMs = nowMs;
        loop.reopenAttempts.fetch_add(1, std::memory_order_relaxed);
        const int64_t since = std::max<int64_t>(nowMs - loop.lastTickMs.load(std::memory_order_relaxed), 0);
        const int64_t clockPosition = loop.lastPlayPosition.load(std::memory_order_relaxed) + since * kAudioRate / 1000;
        const int64_t from = std::clamp<int64_t>(clockPosition, 0, kMostPosition);
        if (k.output.open && k.output.open(from)) k.holder.store(KeeperOpened, std::memory_order_release);
    }
    k.running.store(false, std::memory_order_release);
}

// A keeper stuck in a device that never lets go must not keep the program
// from ending: after this long it is left behind, holding the device.
constexpr auto kKeeperStopWait = std::chrono::seconds(2);

// The keeper of an earlier start still in a device call, if any: the last
// one, or the one it was waiting for.
std::shared_ptr<Keeper> KeeperStillRunning()
{
    const std::shared_ptr<Keeper>& last = loop.keeper;
    if (last->running.load(std::memory_order_acquire)) return last;
    const std::shared_ptr<Keeper>& older = last->leftBehind;
    return older && older->running.load(std::memory_order_acquire) ? older : nullptr;
}

}  // namespace

void StartAudioThread(const WaveOutput& output)
{
    StopAudioThread();
    std::shared_ptr<Keeper> behind = KeeperStillRunning();
    loop.keeper = std::make_shared<Keeper>();
    Keeper& k = *loop.keeper;
    k.output = output;
    if (behind) {
        // Silent until the keeper left behind lets go; then the new keeper
        // closes what it may have left open and looks for a device.
        k.leftBehind = std::move(behind);
        k.holder.store(KeeperHolds, std::memory_order_relaxed);
        k.closeFirst = true;
    }
    k.running.store(true, std::memory_order_relaxed);
    loop.output = output;
    loop.deviceOpen = false;
    loop.soundLost = false;
    loop.reported = false;
    loop.ticks.store(0, std::memory_order_relaxed);
    loop.lastTickMs.store(0, std::memory_order_relaxed);
    loop.lastPlayPosition.store(0, std::memory_order_relaxed);
    loop.playing.store(false, std::memory_order_relaxed);
    loop.reopenAttempts.store(0, std::memory_order_relaxed);
    loop.reopens.store(0, std::memory_order_relaxed);
    loop.lead.store(0, std::memory_order_relaxed);
    loop.lateTicks.store(0, std::memory_order_relaxed);
    loop.lostClicks.store(0, std::memory_order_relaxed);
    StartDeadlineLoop(loop.ticking);
    loop.keeperThread = std::thread(RunKeeper, loop.keeper);
}

void StopAudioThread()
{
    if (!DeadlineLoopRunning(loop.ticking)) return;
    StopDeadlineLoop(loop.ticking);
    Keeper& k = *loop.keeper;
    WakeKeeper(k, true);
    const auto giveUp = SteadyClock::now() + kKeeperStopWait;
    while (k.running.load(std::memory_order_acquire) && SteadyClock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (k.running.load(std::memory_order_acquire)) {
        // It keeps its own record; the next start waits for it to end.
        loop.keeperThread.detach();
        return;
    }
    loop.keeperThread.join();
    // Both threads are gone: close whatever device is open, whoever held it,
    // unless a keeper of an earlier start still has it.
    const int32_t holder = k.holder.load(std::memory_order_acquire);
    const bool open = holder == LoopHolds ? loop.deviceOpen : holder == KeeperOpened || k.closeFirst;
    if (open && !KeeperStillRunning() && loop.output.close) loop.output.close();
    loop.deviceOpen = false;
}

void StimulusImagePublished()
{
    loop.imagesPublished.fetch_add(1, std::memory_order_relaxed);
    WakeDeadlineLoop(loop.ticking);
}

AudioLoopStats AudioLoopStatistics()
{
    AudioLoopStats stats;
    stats.ticks = loop.ticks.load(std::memory_order_relaxed);
    stats.lastPlayPosition = loop.lastPlayPosition.load(std::memory_order_relaxed);
    stats.playing = loop.playing.load(std::memory_order_relaxed);
    stats.reopenAttempts = loop.reopenAttempts.load(std::memory_order_relaxed);
    stats.reopens = loop.reopens.load(std::memory_order_relaxed);
    stats.lead = loop.lead.load(std::memory_order_relaxed);
    stats.lateTicks = loop.lateTicks.load(std::memory_order_relaxed);
    stats.lostClicks = loop.lostClicks.load(std::memory_order_relaxed);
    stats.niceness = loop.niceness.load(std::memory_order_relaxed);
    return stats;
}
