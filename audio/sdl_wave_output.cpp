#include "audio/sdl_wave_output.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>


namespace {

// The device buffer in samples: 256 at 44.1 kHz is 5.8 ms, so the lead,
// two of these, can be small. A power of two (the dummy driver has been seen
// to abort at close with other sizes).
//
// The callback copies a whole buffer, samples [P, P + buffer), before it
// reports the new position P + buffer, and the audio thread may read P while
// that copy is running: the lead counts what lies below P + one period as
// already taken, so no click is written where the device is reading.
constexpr Uint16 kDeviceBufferSamples = 256;
static_assert((kDeviceBufferSamples & (kDeviceBufferSamples - 1)) == 0, "device buffer must be a power of two");

// Touched only by the thread that holds the device (see WaveOutput).
SDL_AudioDeviceID device = 0;
bool subsystemUp = false;
// The stream sample the device plays next: set before each open, advanced
// by the callback, read by the audio thread.
std::atomic<int64_t> consumed{0};
std::atomic<int32_t> obtainedSamples{kDeviceBufferSamples};
char driverName[32] = "none";  // of the last open, kept past the close for the exit line

// Runs on SDL's audio thread: copies, clears and counts, nothing else (no
// lock, no allocation). What it played is cleared, so a writer held up for
// longer than the lead leaves silence behind, not the ring's last round.
void Callback(void*, Uint8* stream, int length)
{
    auto* out = reinterpret_cast<int16_t*>(stream);
    const int32_t count = length / static_cast<int32_t>(sizeof(int16_t));
    const int64_t position = consumed.load(std::memory_order_relaxed);
    for (int32_t i = 0; i < count; ++i) {
        out[i] = StreamSample(position + i).exchange(0, std::memory_order_relaxed);
    }
    consumed.store(position + count, std::memory_order_release);
}

void SdlClose()
{
    if (device != 0) SDL_CloseAudioDevice(device);  // waits for the callback to finish
    device = 0;
    if (subsystemUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemUp = false;
}

bool SdlOpen(int64_t fromSample)
{
    SdlClose();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystemUp = true;

    SDL_AudioSpec wanted{};
    wanted.freq = kAudioRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = kDeviceBufferSamples;
    wanted.callback = Callback;
    SDL_AudioSpec obtained{};
    consumed.store(std::max<int64_t>(fromSample, 0), std::memory_order_relaxed);
    // No changes allowed: SDL converts to whatever the hardware takes, so the
    // callback always sees exactly this format.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0 || obtained.freq != kAudioRate || obtained.format != AUDIO_S16SYS || obtained.channels != 1) {
        SdlClose();
        return false;
    }
    obtainedSamples.store(obtained.samples, std::memory_order_relaxed);
    const char* name = SDL_GetCurrentAudioDriver();
    std::snprintf(driverName, sizeof driverName, "%s", name ? name : "none");
    SDL_PauseAudioDevice(device, 0);  // playback begins at fromSample
    return true;
}

int64_t SdlPosition() { return consumed.load(std::memory_order_acquire); }

// Unplugged or otherwise disabled devices report themselves stopped.
bool SdlLost() { return device == 0 || SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED; }

void SdlReport(const char* text) { std::fprintf(stderr, "tessaline: %s\n", text); }

int32_t SdlPeriod() { return obtainedSamples.load(std::memory_order_relaxed); }

}  // namespace

WaveOutput SdlWaveOutput()
{
    return WaveOutput{SdlOpen, SdlClose, SdlPosition, SdlLost, SdlReport, SdlPeriod};
}

int32_t SdlObtainedBufferSamples() { return SdlPeriod(); }

const char* SdlDriverName() { return driverName; }
