#pragma once
#include <atomic>
#include <cstdint>

constexpr int32_t kAudioRate = 44100;
#ifdef __EMSCRIPTEN__
// The web page hands every tick's slice to its audio worklet at once, so a
// shorter stream serves as well and spares 80 MB of a tablet's memory.
constexpr int32_t kAudioSamples = 4410000;       // 100 s, played once from sample 0
constexpr int32_t kAudioRestartAt = 4405000;     // play position that restarts the stream
#else
constexpr int32_t kAudioSamples = 44100000;      // 1000 s, played once from sample 0
constexpr int32_t kAudioRestartAt = 44095000;    // play position that restarts the stream
#endif

// The stream. The audio thread writes clicks and hash ahead of the play
// position; the device callback reads behind it. Each sample is a relaxed
// atomic so the two never race even if the writer is held up.
extern std::atomic<int16_t> audioSamples[kAudioSamples];

// Six samples of +20000 then six of -20000 from index; samples past the end
// of the stream are not written.
void WriteClick(int32_t index);
// Background hash over the slice after play position P (audio thread).
void LayBackgroundHash(int64_t playPosition);
// Zeroes what WriteClick and LayBackgroundHash wrote since the last clear;
// the stream is written through nothing else, so that is all of it.
void ClearAudioSamples();
// The part of an audio tick after its wait, given the play position it read:
// the hash if it is on, then the neuron tick's spikes as clicks in the slice
// kAudioLead samples ahead. Returns the tick's spike count.
int32_t FinishAudioTick(int64_t playPosition);

// The sound device as the audio loop sees it. Only one thread at a time
// calls open, close, playPosition and lost: the audio thread, or the thread
// that looks for a device again after one was lost.
struct WaveOutput {
    // Starts playing the stream at sample fromSample: 0 at every start of
    // the stream, the current place when a device comes back. May block for
    // a while. False when there is no device.
    bool (*open)(int64_t fromSample);
    void (*close)();              // may block while a stalled device lets go
    int64_t (*playPosition)();    // the stream sample the device has played up to
    bool (*lost)();               // the device went away while playing
    void (*reportError)(const char* text);  // must not wait for the user
};

// The audio thread: start sequence, then a neuron tick every 20 ms, sleeping
// until each absolute deadline; restarts the stream past kAudioRestartAt.
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

// A device that plays nothing: its play position follows the clock. Used
// when no sound device is wanted (headless runs, tests).
WaveOutput ClockWaveOutput();

struct AudioLoopStats {
    int64_t ticks = 0;
    int64_t firstTickMs = 0, lastTickMs = 0;
    int64_t lastPlayPosition = 0;
    bool playing = false;          // the last tick read its position from a device
    int32_t reopenAttempts = 0;    // opens tried after a loss, successful or not
    int32_t reopens = 0;           // devices taken back after a loss
};
AudioLoopStats AudioLoopStatistics();
