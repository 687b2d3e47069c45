#pragma once
#include <atomic>
#include <cstdint>

#include "language/catalog.h"
#include "sim/audio_lead.h"

// The stream is a ring: sample n of the session (counted from 0 at the
// start, in 64 bits, so it never runs out) lives at audioSamples[n % length].
// The ring holds three seconds, far more than the lead and a slice, so the
// writer ahead of the play position and the device behind it never meet,
// and a session of any length goes on with no restart.
constexpr int64_t kAudioRingSamples = int64_t{1} << 17;
constexpr int64_t kAudioRingMask = kAudioRingSamples - 1;
static_assert(kAudioRingSamples > 2 * (kMostLead + 2 * kAudioSlice), "the ring must hold the lead with room to spare");

// The audio thread writes clicks and hash ahead of the play position; the
// device reads behind it. Each sample is a relaxed atomic so the two never
// race even if the writer is held up.
extern std::atomic<int16_t> audioSamples[kAudioRingSamples];

inline std::atomic<int16_t>& StreamSample(int64_t position) { return audioSamples[position & kAudioRingMask]; }

constexpr int16_t kClickLevel = 20000;  // a click's height; the page's worklet knows a click by it
// What the output reports when no device can be opened.
constexpr const char* kNoSoundText = N_("Error preparing wave header");

// Six samples of +kClickLevel then six of -kClickLevel from stream position `position`
// (nothing for a negative one).
void WriteClick(int64_t position);
// Background hash over [first, limit) (audio thread).
void LayBackgroundHash(int64_t first, int64_t limit);
// Zeroes the whole ring and forgets what was written (start of a session).
void ClearAudioSamples();
// The part of an audio tick after its wait, given the play position it read:
// plans the slice with the adaptive lead, clears the ring up to its end, lays
// the hash if it is on, then writes the neuron tick's spikes as clicks.
// Returns the tick's spike count (lost ones included).
int32_t FinishAudioTick(int64_t playPosition);

// The sound device as the audio loop sees it. Only one thread at a time
// calls open, close, playPosition and lost: the audio thread, or the thread
// that looks for a device again after one was lost.
struct WaveOutput {
    // Starts playing the stream at sample fromSample: 0 at the start of a
    // session, the current place when a device comes back. May block for a
    // while. False when there is no device.
    bool (*open)(int64_t fromSample);
    void (*close)();              // may block while a stalled device lets go
    int64_t (*playPosition)();    // the stream sample the device has taken up to
    bool (*lost)();               // the device went away while playing
    void (*reportError)(const char* text);  // must not wait for the user
    int32_t (*period)() = nullptr;  // samples the open device takes at a time; null: 512
};

// The audio thread: start sequence, then a neuron tick every 20 ms, sleeping
// until each absolute deadline, 5 ms after the scene loop's so that a
// stimulus drawn by a scene tick is heard from the next neuron tick.
// A device that fails, stalls or goes away is handed to a second thread that
// closes it and tries to open one again every kReopenIntervalMs, so neither
// a slow close nor a slow open ever holds up a tick; meanwhile the play
// position runs on with the clock and the clicks are written as before.
// The loss is reported once (again only after a device came back and a
// minute has passed, so a device that comes and goes does not pile up
// messages).
constexpr int64_t kReopenIntervalMs = 2000;
void StartAudioThread(const WaveOutput& output);
// Stops, joins and closes the device; safe when not running. A device close
// or open that hangs for over two seconds is left behind on its thread, so
// the program can still end; a later start runs silent (and says so once)
// until that call has returned, and makes no device call beside it.
void StopAudioThread();

struct AudioLoopStats {
    int64_t ticks = 0;
    int64_t lastPlayPosition = 0;
    bool playing = false;          // the last tick read its position from a device
    int32_t reopenAttempts = 0;    // opens tried after a loss, successful or not
    int32_t reopens = 0;           // devices taken back after a loss
    int32_t lead = 0;              // the lead of the last tick, samples
    int64_t lateTicks = 0;
    int64_t lostClicks = 0;
    int32_t niceness = 0;          // the audio thread's, as the system granted it
};
AudioLoopStats AudioLoopStatistics();
// From the scene thread once it has published a stimulus image: the neuron
// tick due next reads it now rather than at the latest moment it may.
void StimulusImagePublished();
