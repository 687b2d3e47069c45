#include "audio/sdl_wave_output.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "sim/neuron_tick.h"

namespace {

// The device buffer in samples; a power of two (the dummy driver has been seen
// to abort at close with other sizes).
//
// It must stay well below kAudioLead (5000 samples). The callback copies a
// whole buffer, samples [P, P + 512), before it reports the new position
// P + 512, and the audio thread may read P while that copy is running. The
// thread's next writes start at P + 4999 (the hash) and P + 5000 (clicks),
// so they always land ahead of everything the device has already taken or is
// taking; with a buffer near the lead a tick could overwrite samples that are
// being played, and a click would be cut or heard late.
constexpr Uint16 kDeviceBufferSamples = 512;
static_assert((kDeviceBufferSamples & (kDeviceBufferSamples - 1)) == 0, "device buffer must be a power of two");
static_assert(kDeviceBufferSamples * 4 < kAudioLead, "device buffer must stay well below the lead");

// Touched only by the thread that holds the device (see WaveOutput).
SDL_AudioDeviceID device = 0;
bool subsystemUp = false;
// The stream sample the device plays next: set before each open, advanced
// by the callback, read by the audio thread.
std::atomic<int64_t> consumed{0};

// Runs on SDL's audio thread: copies and counts, nothing else (no lock, no
// allocation). Past the end of the stream it plays silence.
void Callback(void*, Uint8* stream, int length)
{
    auto* out = reinterpret_cast<int16_t*>(stream);
    const int32_t count = length / static_cast<int32_t>(sizeof(int16_t));
    const int64_t position = consumed.load(std::memory_order_relaxed);
    for (int32_t i = 0; i < count; ++i) {
        const int64_t index = position + i;
        out[i] = index < kAudioSamples ? audioSamples[index].load(std::memory_order_relaxed) : int16_t{0};
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
    consumed.store(std::clamp<int64_t>(fromSample, 0, kAudioSamples), std::memory_order_relaxed);
    // No changes allowed: SDL converts to whatever the hardware takes, so the
    // callback always sees exactly this format.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0 || obtained.freq != kAudioRate || obtained.format != AUDIO_S16SYS || obtained.channels != 1) {
        SdlClose();
        return false;
    }
    SDL_PauseAudioDevice(device, 0);  // playback begins at fromSample
    return true;
}

int64_t SdlPosition() { return consumed.load(std::memory_order_acquire); }

// Unplugged or otherwise disabled devices report themselves stopped.
bool SdlLost() { return device == 0 || SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED; }

void SdlReport(const char* text) { std::fprintf(stderr, "tessaline: %s\n", text); }

}  // namespace

WaveOutput SdlWaveOutput()
{
    return WaveOutput{SdlOpen, SdlClose, SdlPosition, SdlLost, SdlReport};
}
